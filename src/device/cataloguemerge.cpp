// SPDX-License-Identifier: MIT
#include "cataloguemerge.h"

#include "calibrationrecord.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

struct Families
{
    bool v10;
    bool v11;
};

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

Families familiesOf(std::string_view name, std::uint8_t index)
{
    return {index == 6 || endsWith(name, " V1.0"), index == 2 || endsWith(name, " V1.1")};
}

void removeAll(std::string &text, std::string_view what)
{
    for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos;)
        text.erase(at, what.size());
}

// Names stay UTF-8 bytes here: the suffixes are ASCII, so removing them from the bytes
// never splits a character, and bytes that are not valid UTF-8 are kept as they are.
// Returns the whole name stored, before any cut.
std::string storeWithoutVersionSuffixes(CalibrationBlock &block, std::string_view name)
{
    std::string kept(name);
    removeAll(kept, " V1.0");
    removeAll(kept, " V1.1");
    storeCalibrationName(block, kept.data(), kept.size());
    return kept;
}

QString shown(std::string_view name)
{
    return QString::fromUtf8(name.data(), int(name.size()));
}

// One translated description per base index, shared by every record that has it.
class Descriptions
{
public:
    const QString &of(const CalibrationBlock &block)
    {
        QString &text = m_byIndex[baseCalibrationIndex(block)];
        if (text.isNull())
            text = baseCalibrationDescription(block);
        return text;
    }

private:
    QString m_byIndex[256];
};

} // namespace

LeftOutCalibrations mergeCatalogueBlocks(const CalibrationFileContents &contents, const InstrumentModel &instrument,
                                         CalibrationList &catalogue, CalibrationList &addable)
{
    Q_ASSERT(catalogue.isEmpty() && addable.isEmpty());
    LeftOutCalibrations leftOut;
    for (const std::string &name : contents.nonFiniteNames)
        leftOut.nonFinite << shown(name);
    Descriptions descriptions;
    catalogue.reserve(int(contents.blocks.size()));
    addable.reserve(int(contents.blocks.size()));
    // For each catalogue record, where its copy stands in addable (or -1), so that a
    // V1.1 replacement needs no look-up there; and its whole name, where the block holds it cut.
    std::vector<int> addableAt;
    std::unordered_map<int, std::string> wholeNameAt;
    std::size_t cut = 0;
    for (std::size_t i = 0; i < contents.blocks.size(); ++i) {
        CalibrationBlock block = contents.blocks[i];
        std::string_view name(block.calName, calNameLength(block));
        bool wasCut = cut < contents.cutNames.size() && contents.cutNames[cut] == i;
        if (wasCut)
            name = contents.wholeNames[cut++];
        if (isEmptyBlock(block))
            continue;
        const Families families = familiesOf(name, baseCalibrationIndex(block));
        if ((families.v10 && !instrument.rgbbluFound) || (families.v11 && !instrument.gbrledFound))
            continue;
        std::string stripped;
        if (families.v10 || families.v11) {
            stripped = storeWithoutVersionSuffixes(block, name);
            name = stripped;
            wasCut = name.size() > calNameLength(block);
        }

        // Looked up, shown and later written under the same UTF-8 decoding of calName.
        const CalibrationRecord record(block, descriptions.of(block));
        const QString key = calibrationName(block);
        const int existing = catalogue.findOrAppend(record, key);
        if (existing < 0) {
            const bool offered = !instrument.calibrations.contains(key);
            addableAt.push_back(offered ? addable.size() : -1);
            if (offered)
                addable.append(record, key);
            if (wasCut)
                wholeNameAt.emplace(catalogue.size() - 1, name);
        } else if (families.v11) {
            catalogue.replaceAt(existing, record);
            // Keep what the selection window shows in step with the block that will be written.
            if (addableAt[std::size_t(existing)] >= 0)
                addable.replaceAt(addableAt[std::size_t(existing)], record);
        } else {
            const auto whole = wholeNameAt.find(existing);
            const std::string_view earlier = whole != wholeNameAt.end() ? std::string_view(whole->second)
                : std::string_view(catalogue.at(existing).block.calName, calNameLength(catalogue.at(existing).block));
            if (earlier != name)
                leftOut.sameFirst19Bytes << shown(name);
        }
    }
    return leftOut;
}
