// The stand-in instrument, driven through the six library functions the program
// links against, through its state file and through its command-line tool.

#include "state.h"
#include "tarvikdll.h"

#include <QtTest>

#include <cstdio>
#include <cstring>
#include <limits>

using namespace standin;

namespace {

constexpr unsigned char kGuard = 0xA5;
constexpr int kGuardSize = 16;

bool sameBytes(const CalibrationBlock &a, const CalibrationBlock &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A buffer of `size` bytes with guard bytes on both sides that must never be touched.
class GuardedBuffer
{
public:
    explicit GuardedBuffer(int size) : m_size(size), m_bytes(size + 2 * kGuardSize, char(kGuard)) {}
    char *data() { return m_bytes.data() + kGuardSize; }
    QByteArray contents() const { return m_bytes.mid(kGuardSize, m_size); }
    bool guardsIntact() const
    {
        return m_bytes.left(kGuardSize) == QByteArray(kGuardSize, char(kGuard))
            && m_bytes.right(kGuardSize) == QByteArray(kGuardSize, char(kGuard));
    }

private:
    int m_size;
    QByteArray m_bytes;
};

// Each test's instrument, opened for the length of a scope.
class Session
{
public:
    Session() { result = TARVIKopen(&handle, 1); }
    ~Session()
    {
        if (result == 0)
            TARVIKclose(handle);
    }
    std::int32_t handle = 0;
    std::int32_t result;
};

InstrumentState install(const InstrumentState &state)
{
    std::string error;
    if (!save(statePath(), state, error))
        qFatal("cannot write the instrument: %s", error.c_str());
    clearCallLog();
    return state;
}

InstrumentState standardInstrument()
{
    return makeInstrument(Family::Both, "TRV0123456789", kAmbientSlot, {"Office LED", "Daylight", "Tungsten"});
}

// The instrument as the state file holds it now; a file that does not load fails the test.
InstrumentState loaded()
{
    InstrumentState state;
    std::string error;
    if (!load(statePath(), state, error))
        QTest::qFail(error.c_str(), __FILE__, __LINE__);
    return state;
}

int countCalls(const char *function)
{
    int n = 0;
    for (const CallLogEntry &entry : readCallLog()) {
        if (entry.function == function)
            ++n;
    }
    return n;
}

// Runs in a child process: writes one slot after another until it is killed.
int writeUntilKilled()
{
    std::int32_t handle = 0;
    if (TARVIKopen(&handle, 1) != 0)
        return 1;
    for (int i = 0;; ++i) {
        CalibrationBlock block = userCalibrationBlock("loop " + std::to_string(i), i);
        if (TARVIKloaddevicecal(handle, kFirstUserSlot + i % kUserSlotCount, &block) != 0)
            return 1;
    }
}

struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(TARVIK_STANDIN_TOOL), arguments);
    ToolRun run;
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = tool.exitCode();
    run.out = tool.readAllStandardOutput();
    run.err = tool.readAllStandardError();
    return run;
}

} // namespace

namespace standin {
// Readable failure messages for the call log comparisons.
char *toString(const CallLogEntry &entry)
{
    return qstrdup(QByteArray::fromStdString(entry.function + " " + std::to_string(entry.slot) + " "
                                             + std::to_string(entry.result)).constData());
}

char *toString(const std::vector<CallLogEntry> &entries)
{
    QByteArray text;
    for (const CallLogEntry &entry : entries) {
        char *line = toString(entry);
        text += line;
        text += "; ";
        delete[] line;
    }
    return qstrdup(text.constData());
}
}

class TestStandin : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        std::remove(statePath().c_str());
        clearCallLog();
    }

    void openAnswersLikeTheInstrument_data()
    {
        QTest::addColumn<int>("setup");
        QTest::addColumn<int>("expected");
        QTest::newRow("no state file") << 0 << int(kTarvikNotFound);
        QTest::newRow("detached") << 1 << int(kTarvikNotFound);
        QTest::newRow("open fault -1") << 2 << -1;
        QTest::newRow("open fault -7") << 3 << -7;
        QTest::newRow("unreadable state") << 4 << int(kOpenStateUnreadable);
        QTest::newRow("attached") << 5 << 0;
    }
    void openAnswersLikeTheInstrument()
    {
        QFETCH(int, setup);
        QFETCH(int, expected);
        InstrumentState state = standardInstrument();
        state.attached = setup != 1;
        state.faults.openResult = setup == 2 ? -1 : setup == 3 ? -7 : 0;
        if (setup > 0)
            install(state);
        if (setup == 4) {
            QFile file(QString::fromStdString(statePath()));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("not an instrument\n");
        }
        std::int32_t handle = 4242;
        const std::int32_t result = TARVIKopen(&handle, 1);
        QCOMPARE(int(result), expected);
        QCOMPARE(readCallLog(), std::vector<CallLogEntry>({{"TARVIKopen", -1, result}}));
        if (result == 0) {
            QVERIFY(handle >= 1);
            QCOMPARE(int(TARVIKclose(handle)), 0);
        } else {
            QCOMPARE(int(handle), 4242);
        }
    }

    void onlyTheOpenHandleIsServed()
    {
        install(standardInstrument());
        char serial[kSerialNumberSize];
        QCOMPARE(int(TARVIKgetserial(1, serial)), int(kErrorBadHandle));
        std::int32_t first = 0;
        {
            Session session;
            QCOMPARE(int(session.result), 0);
            first = session.handle;
            QCOMPARE(int(TARVIKgetserial(first, serial)), 0);
            QCOMPARE(int(TARVIKgetserial(first + 1, serial)), int(kErrorBadHandle));
            QCOMPARE(int(TARVIKgetserial(0, serial)), int(kErrorBadHandle));
            QCOMPARE(int(TARVIKgetserial(first, nullptr)), int(kErrorNullBuffer));
        }
        QCOMPARE(int(TARVIKgetserial(first, serial)), int(kErrorBadHandle));
        QVERIFY(TARVIKclose(first) != 0);
        Session second;
        QVERIFY(second.handle != first);
        QCOMPARE(int(TARVIKgetserial(first, serial)), int(kErrorBadHandle));
    }

    void slotsOutsideTheInstrumentAreRefused_data()
    {
        QTest::addColumn<int>("slot");
        QTest::newRow("-1") << -1;
        QTest::newRow("38") << 38;
        QTest::newRow("int min") << std::numeric_limits<int>::min();
        QTest::newRow("int max") << std::numeric_limits<int>::max();
    }
    void slotsOutsideTheInstrumentAreRefused()
    {
        QFETCH(int, slot);
        const InstrumentState before = install(standardInstrument());
        Session session;
        GuardedBuffer name(kNameBufferSize);
        GuardedBuffer block(sizeof(CalibrationBlock));
        const QByteArray untouched = block.contents();
        auto *blockData = reinterpret_cast<CalibrationBlock *>(block.data());
        QCOMPARE(int(TARVIKgetdevicecalname(session.handle, slot, name.data())), int(kErrorBadSlot));
        QCOMPARE(int(TARVIKretrievedevicecal(session.handle, slot, blockData)), int(kErrorBadSlot));
        CalibrationBlock write = userCalibrationBlock("Out of range", 0);
        QCOMPARE(int(TARVIKloaddevicecal(session.handle, slot, &write)), int(kErrorBadSlot));
        QCOMPARE(block.contents(), untouched);
        QVERIFY(name.guardsIntact() && block.guardsIntact());
        QCOMPARE(readCallLog().back(), (CallLogEntry{"TARVIKloaddevicecal", slot, kErrorBadSlot}));
        const InstrumentState after = loaded();
        for (int s = 0; s < kSlotCount; ++s)
            QVERIFY(sameBytes(after.blocks[s], before.blocks[s]));
    }

    void factoryAndReservedSlotsAreWriteProtected()
    {
        const InstrumentState before = install(standardInstrument());
        Session session;
        CalibrationBlock block = userCalibrationBlock("Overwrite", 3);
        for (int slot = 0; slot <= kLastWriteProtectedSlot; ++slot)
            QCOMPARE(int(TARVIKloaddevicecal(session.handle, slot, &block)), int(kErrorWriteProtected));
        for (int slot = 0; slot <= kLastWriteProtectedSlot; ++slot)
            QVERIFY(sameBytes(loaded().blocks[slot], before.blocks[slot]));
        QCOMPARE(int(TARVIKloaddevicecal(session.handle, kAmbientSlot, &block)), 0);
        QVERIFY(sameBytes(loaded().blocks[kAmbientSlot], block));
    }

    void textBuffersAreFilledWithinTheirSizes_data()
    {
        QTest::addColumn<bool>("unterminated");
        QTest::newRow("careful") << false;
        QTest::newRow("unterminated fault") << true;
    }
    void textBuffersAreFilledWithinTheirSizes()
    {
        QFETCH(bool, unterminated);
        const std::string longest(kCalNameSize - 1, 'N');
        InstrumentState state = makeInstrument(Family::Rgbblu, "ABCDEFGHIJKLM", kAmbientSlot, {longest, "Short"});
        state.faults.unterminatedSerial = unterminated;
        state.faults.unterminatedNames = unterminated;
        install(state);
        Session session;

        GuardedBuffer serial(kSerialNumberSize);
        QCOMPARE(int(TARVIKgetserial(session.handle, serial.data())), 0);
        QVERIFY(serial.guardsIntact());
        QVERIFY(serial.contents().startsWith("ABCDEFGHIJKLM"));
        QCOMPARE(serial.contents().contains('\0'), !unterminated);

        for (int slot : {0, 10, 11, 12}) {
            GuardedBuffer name(kNameBufferSize);
            QCOMPARE(int(TARVIKgetdevicecalname(session.handle, slot, name.data())), 0);
            QVERIFY(name.guardsIntact());
            QVERIFY(name.contents().startsWith(blockName(state.blocks[slot]).c_str()));
            QCOMPARE(name.contents().contains('\0'), !unterminated);

            GuardedBuffer block(sizeof(CalibrationBlock));
            auto *b = reinterpret_cast<CalibrationBlock *>(block.data());
            QCOMPARE(int(TARVIKretrievedevicecal(session.handle, slot, b)), 0);
            QVERIFY(block.guardsIntact());
            QCOMPARE(calNameLength(*b) == kCalNameSize, unterminated);
            QCOMPARE(std::memcmp(&b->absIntensityCal, &state.blocks[slot].absIntensityCal, 44), 0);
        }
    }

    void namesWithoutTerminatorAreNotStored()
    {
        install(standardInstrument());
        Session session;
        CalibrationBlock block = userCalibrationBlock("x", 0);
        std::memset(block.calName, 'Z', kCalNameSize);
        QCOMPARE(int(TARVIKloaddevicecal(session.handle, 20, &block)), int(kErrorUnterminatedName));
        QVERIFY(isEmptyBlock(loaded().blocks[20]));
    }

    void serialFaultFailsTheSerialRead()
    {
        InstrumentState state = standardInstrument();
        state.faults.serialResult = 9;
        install(state);
        Session session;
        GuardedBuffer serial(kSerialNumberSize);
        const QByteArray untouched = serial.contents();
        QCOMPARE(int(TARVIKgetserial(session.handle, serial.data())), 9);
        QCOMPARE(serial.contents(), untouched);
    }

    void callFaultFailsTheChosenCall_data()
    {
        QTest::addColumn<int>("function");
        QTest::addColumn<int>("occurrence");
        for (int f : {1, 2, 3}) {
            const char *name = callFunctionName(CallFunction(f));
            QTest::addRow("%s every call", name) << f << 0;
            QTest::addRow("%s second call", name) << f << 2;
        }
    }
    void callFaultFailsTheChosenCall()
    {
        QFETCH(int, function);
        QFETCH(int, occurrence);
        const int slot = 20;
        InstrumentState state = standardInstrument();
        state.faults.call = {CallFunction(function), slot, 77, occurrence, 0};
        install(state);
        const auto call = [&](std::int32_t handle, int s) {
            char name[kNameBufferSize];
            CalibrationBlock block = userCalibrationBlock("Faulty " + std::to_string(s), s);
            switch (CallFunction(function)) {
            case CallFunction::GetDeviceCalName:
                return TARVIKgetdevicecalname(handle, s, name);
            case CallFunction::RetrieveDeviceCal:
                return TARVIKretrievedevicecal(handle, s, &block);
            default:
                return TARVIKloaddevicecal(handle, s, &block);
            }
        };
        QVector<int> results;
        {
            Session session;
            QCOMPARE(int(call(session.handle, slot + 1)), 0);
            results << call(session.handle, slot) << call(session.handle, slot);
        }
        {
            // The count of matching calls carries over into the next session and process.
            Session session;
            results << call(session.handle, slot);
        }
        QCOMPARE(results, occurrence == 0 ? QVector<int>({77, 77, 77}) : QVector<int>({0, 77, 0}));
        if (CallFunction(function) == CallFunction::LoadDeviceCal) {
            QVERIFY(!isEmptyBlock(loaded().blocks[slot + 1]));
            QCOMPARE(isEmptyBlock(loaded().blocks[slot]), occurrence == 0);
        }
    }

    void corruptWriteIsCaughtByReadingBack()
    {
        InstrumentState state = standardInstrument();
        state.faults.corruptWriteSlot = 12;
        install(state);
        Session session;
        CalibrationBlock written = userCalibrationBlock("Read me back", 5);
        CalibrationBlock readBack;
        for (int slot : {12, 13}) {
            QCOMPARE(int(TARVIKloaddevicecal(session.handle, slot, &written)), 0);
            QCOMPARE(int(TARVIKretrievedevicecal(session.handle, slot, &readBack)), 0);
            const auto *a = reinterpret_cast<const unsigned char *>(&written);
            const auto *b = reinterpret_cast<const unsigned char *>(&readBack);
            int differing = 0;
            for (std::size_t i = 0; i < sizeof written; ++i)
                differing += a[i] != b[i];
            QCOMPARE(differing, slot == 12 ? 1 : 0);
            QCOMPARE(blockName(readBack), std::string("Read me back"));
        }
    }

    void detachingMidSessionFailsTheCalls()
    {
        InstrumentState state = install(standardInstrument());
        Session session;
        char name[kNameBufferSize];
        QCOMPARE(int(TARVIKgetdevicecalname(session.handle, 9, name)), 0);
        state.attached = false;
        install(state);
        QCOMPARE(int(TARVIKgetdevicecalname(session.handle, 9, name)), int(kErrorDetached));
    }

    void everyCallIsLogged()
    {
        install(standardInstrument());
        std::int32_t handle = 0;
        char serial[kSerialNumberSize];
        char name[kNameBufferSize];
        CalibrationBlock block;
        QCOMPARE(int(TARVIKopen(&handle, 1)), 0);
        TARVIKgetserial(handle, serial);
        TARVIKgetdevicecalname(handle, 3, name);
        TARVIKretrievedevicecal(handle, 9, &block);
        TARVIKloaddevicecal(handle, 4, &block);
        TARVIKloaddevicecal(handle, 37, &block);
        TARVIKclose(handle);
        TARVIKclose(handle);
        const std::vector<CallLogEntry> expected = {
            {"TARVIKopen", -1, 0},
            {"TARVIKgetserial", -1, 0},
            {"TARVIKgetdevicecalname", 3, 0},
            {"TARVIKretrievedevicecal", 9, 0},
            {"TARVIKloaddevicecal", 4, kErrorWriteProtected},
            {"TARVIKloaddevicecal", 37, 0},
            {"TARVIKclose", -1, 0},
            {"TARVIKclose", -1, kErrorBadHandle}};
        QCOMPARE(readCallLog(), expected);
        QVERIFY(clearCallLog());
        QVERIFY(readCallLog().empty());
    }

    void delayIsSpentBeforeEachCall()
    {
        InstrumentState state = standardInstrument();
        state.delayMs = 60;
        install(state);
        QElapsedTimer timer;
        timer.start();
        Session session;
        char name[kNameBufferSize];
        TARVIKgetdevicecalname(session.handle, 0, name);
        // A lower bound only: the delay is there so that progress can be watched.
        QVERIFY(timer.elapsed() >= 2 * state.delayMs);
    }

    void writesPersistAcrossSessions()
    {
        install(standardInstrument());
        const CalibrationBlock written = userCalibrationBlock("Kept", 11);
        {
            Session session;
            CalibrationBlock copy = written;
            QCOMPARE(int(TARVIKloaddevicecal(session.handle, 30, &copy)), 0);
        }
        Session session;
        CalibrationBlock readBack;
        QCOMPARE(int(TARVIKretrievedevicecal(session.handle, 30, &readBack)), 0);
        QVERIFY(sameBytes(readBack, written));
        char name[kNameBufferSize];
        QCOMPARE(int(TARVIKgetdevicecalname(session.handle, 30, name)), 0);
        QCOMPARE(QByteArray(name), QByteArray("Kept"));
    }

    void stateSurvivesASaveAndLoad()
    {
        InstrumentState state = makeInstrument(Family::GbrledLowerCase, "S/N 42", 15, {"A", "B"});
        state.attached = false;
        state.delayMs = 250;
        state.faults = {-5, 3, {CallFunction::LoadDeviceCal, 17, -9, 4, 2}, 21, true, true};
        install(state);
        const InstrumentState back = loaded();
        QCOMPARE(back.attached, false);
        QCOMPARE(back.serial, std::string("S/N 42"));
        QCOMPARE(back.delayMs, 250);
        QCOMPARE(int(back.faults.openResult), -5);
        QCOMPARE(int(back.faults.serialResult), 3);
        QCOMPARE(back.faults.call.function, CallFunction::LoadDeviceCal);
        QCOMPARE(back.faults.call.slot, 17);
        QCOMPARE(int(back.faults.call.code), -9);
        QCOMPARE(back.faults.call.occurrence, 4);
        QCOMPARE(back.faults.call.seen, 2);
        QCOMPARE(back.faults.corruptWriteSlot, 21);
        QVERIFY(back.faults.unterminatedSerial && back.faults.unterminatedNames);
        for (int slot = 0; slot < kSlotCount; ++slot)
            QVERIFY(sameBytes(back.blocks[slot], state.blocks[slot]));
    }

    void malformedStateFilesAreRejected_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("foreign header") << QByteArray("tarvik-standin-state 1") << QByteArray("state 2") << "line 1";
        QTest::newRow("cut short") << QByteArray("end\n") << QByteArray() << "'end' is missing";
        QTest::newRow("text after end") << QByteArray("end\n") << QByteArray("end\nmore\n") << "after 'end'";
        QTest::newRow("duplicate key") << QByteArray("delay-ms 0\n") << QByteArray("delay-ms 0\ndelay-ms 1\n")
                                       << "appears twice";
        QTest::newRow("unknown key") << QByteArray("delay-ms 0") << QByteArray("delay-sec 0") << "unknown key";
        QTest::newRow("missing key") << QByteArray("fault-serial 0\n") << QByteArray() << "'fault-serial' is missing";
        QTest::newRow("corrupt write in factory slot") << QByteArray("fault-corrupt-write -1")
                                                       << QByteArray("fault-corrupt-write 4") << "line 8";
        QTest::newRow("zero fault code") << QByteArray("fault-call none")
                                         << QByteArray("fault-call loaddevicecal 12 0 0 0") << "non-zero code";
        QTest::newRow("short block") << QByteArray("00000000\nslot 1 ") << QByteArray("\nslot 1 ") << "64 bytes";
        QTest::newRow("long serial") << QByteArray("serial ") << QByteArray("serial 4142434445464748494a4b4c4d4e")
                                     << "at most 13";
        QTest::newRow("unterminated name") << QByteArray("slot 10 4f6666696365204c454400000000000000000000")
                                           << QByteArray("slot 10 4f6666696365204c454420202020202020202020")
                                           << "no terminating zero";
    }
    void malformedStateFilesAreRejected()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        install(standardInstrument());
        QFile file(QString::fromStdString(statePath()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        file.close();
        QVERIFY2(text.contains(from), from.constData());
        text.replace(text.indexOf(from), from.size(), to);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();

        InstrumentState state;
        state.serial = "untouched";
        std::string error;
        QVERIFY(!load(statePath(), state, error));
        QVERIFY2(QString::fromStdString(error).contains(message), error.c_str());
        QCOMPARE(state.serial, std::string("untouched"));
        std::int32_t handle = 0;
        QCOMPARE(int(TARVIKopen(&handle, 1)), int(kOpenStateUnreadable));
    }

    void hugeStateFileIsRejected()
    {
        QFile file(QString::fromStdString(statePath()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1 << 20, 'x'));
        file.close();
        InstrumentState state;
        std::string error;
        QVERIFY(!load(statePath(), state, error));
        QVERIFY2(error.find("too large") != std::string::npos, error.c_str());
    }

    void statePathFollowsTheEnvironment()
    {
        const QByteArray state = qgetenv("TARVIK_STANDIN_STATE");
        const QByteArray xdg = qgetenv("XDG_DATA_HOME");
        const QByteArray home = qgetenv("HOME");
        QCOMPARE(QByteArray(statePath().c_str()), state);
        qunsetenv("TARVIK_STANDIN_STATE");
        qputenv("XDG_DATA_HOME", "/data/home");
        const std::string fromXdg = statePath();
        qunsetenv("XDG_DATA_HOME");
        qputenv("HOME", "/home/user");
        const std::string fromHome = statePath();
        qputenv("TARVIK_STANDIN_STATE", state);
        qputenv("XDG_DATA_HOME", xdg);
        qputenv("HOME", home);
        QCOMPARE(fromXdg, std::string("/data/home/tarvik-standin/instrument.state"));
        QCOMPARE(fromHome, std::string("/home/user/.local/share/tarvik-standin/instrument.state"));
    }

    void madeInstrumentsShowTheirFamily_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<bool>("rgbblu");
        QTest::addColumn<bool>("gbrled");
        QTest::addColumn<QString>("exactWord");
        QTest::newRow("RGBBLU") << int(Family::Rgbblu) << true << false << "RGBBLU";
        QTest::newRow("GBRLED") << int(Family::Gbrled) << false << true << "GBRLED";
        QTest::newRow("gbrled") << int(Family::GbrledLowerCase) << false << true << "gbrled";
        QTest::newRow("both") << int(Family::Both) << true << true << "RGBBLU";
        QTest::newRow("neither") << int(Family::Neither) << false << false << "";
    }
    void madeInstrumentsShowTheirFamily()
    {
        QFETCH(int, family);
        QFETCH(bool, rgbblu);
        QFETCH(bool, gbrled);
        QFETCH(QString, exactWord);
        const InstrumentState s = makeInstrument(Family(family), "X", 9, {});
        bool sawRgbblu = false, sawGbrled = false, sawExact = exactWord.isEmpty();
        for (int slot = kFirstFactorySlot; slot <= kLastFactorySlot; ++slot) {
            const QString name = QString::fromStdString(blockName(s.blocks[slot]));
            sawRgbblu |= name.contains("RGBBLU", Qt::CaseInsensitive);
            sawGbrled |= name.contains("GBRLED", Qt::CaseInsensitive);
            sawExact |= !exactWord.isEmpty() && name.contains(exactWord);
            QVERIFY(!isEmptyBlock(s.blocks[slot]));
        }
        QCOMPARE(sawRgbblu, rgbblu);
        QCOMPARE(sawGbrled, gbrled);
        QVERIFY(sawExact);
        QVERIFY(!isEmptyBlock(s.blocks[kLastWriteProtectedSlot]));
    }

    void madeInstrumentsPlaceTheirCalibrations()
    {
        const InstrumentState s = makeInstrument(Family::Gbrled, "X", 11, {"One", "Two", "Three"});
        QCOMPARE(blockName(s.blocks[11]), std::string(kAmbientName));
        QVERIFY(!isEmptyBlock(s.blocks[11]));
        QVERIFY(sameBytes(s.blocks[10], userCalibrationBlock("One", 0)));
        QVERIFY(sameBytes(s.blocks[12], userCalibrationBlock("Two", 1)));
        QVERIFY(sameBytes(s.blocks[13], userCalibrationBlock("Three", 2)));
        for (int slot = 14; slot <= kLastSlot; ++slot)
            QVERIFY(sameBytes(s.blocks[slot], emptyCalibrationBlock()));
        QVERIFY(sameBytes(s.blocks[9], emptyCalibrationBlock()));
        QVERIFY(!sameBytes(userCalibrationBlock("A", 0), userCalibrationBlock("A", 1)));
        QVERIFY(!isEmptyBlock(userCalibrationBlock("A", 27)));

        QVERIFY(makeInstrumentError("ABCDEFGHIJKLM", -1, std::vector<std::string>(28, "x")).empty());
        QVERIFY(!makeInstrumentError("ABCDEFGHIJKLM", 20, std::vector<std::string>(28, "x")).empty());
        QVERIFY(!makeInstrumentError("ABCDEFGHIJKLMN", 9, {}).empty());
        QVERIFY(!makeInstrumentError("X", 9, {std::string(20, 'n')}).empty());
    }

    void killedWriterNeverLeavesAHalfWrittenState()
    {
        const QString dir = QFileInfo(QString::fromStdString(statePath())).absolutePath();
        for (int round = 0; round < 12; ++round) {
            install(standardInstrument());
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {"--write-until-killed"});
            QVERIFY(writer.waitForStarted());
            const int writes = 2 + round % 4;
            QTRY_VERIFY_WITH_TIMEOUT(countCalls("TARVIKloaddevicecal") >= writes, 30000);
            QTest::qWait(round % 3);
            writer.kill();
            QVERIFY(writer.waitForFinished());
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

            InstrumentState after;
            std::string error;
            QVERIFY2(load(statePath(), after, error), error.c_str());
            int loopBlocks = 0;
            for (int slot = kFirstUserSlot; slot <= kLastSlot; ++slot) {
                const std::string name = blockName(after.blocks[slot]);
                if (name.rfind("loop ", 0) != 0)
                    continue;
                const int i = std::stoi(name.substr(5));
                QCOMPARE(kFirstUserSlot + i % kUserSlotCount, slot);
                QVERIFY(sameBytes(after.blocks[slot], userCalibrationBlock(name, i)));
                ++loopBlocks;
            }
            QVERIFY(loopBlocks >= writes); // every logged write had been saved
            for (const QString &temp : QDir(dir).entryList({"*.tmp-*"}, QDir::Files))
                QFile::remove(dir + "/" + temp);
        }
    }

    void toolCreatesListsAndDumps()
    {
        const ToolRun created = runTool({"create", "--family", "gbrled-lower", "--serial", "TRV-42", "--ambient-slot",
                                         "14", "--user", "Office LED", "--user", "Daylight 5000"});
        QCOMPARE(created.exitCode, 0);
        const InstrumentState made = makeInstrument(Family::GbrledLowerCase, "TRV-42", 14, {"Office LED", "Daylight 5000"});
        const InstrumentState state = loaded();
        QCOMPARE(state.serial, made.serial);
        for (int slot = 0; slot < kSlotCount; ++slot)
            QVERIFY(sameBytes(state.blocks[slot], made.blocks[slot]));

        const ToolRun listed = runTool({"list"});
        QCOMPARE(listed.exitCode, 0);
        QVERIFY(listed.out.contains("serial TRV-42, attached"));
        QVERIFY(listed.out.contains("  14  JUST w. Diffuser     calibration\n"));
        QVERIFY(listed.out.contains("  11  Daylight 5000        calibration\n"));
        QVERIFY(listed.out.contains("  37  empty                empty\n"));

        const ToolRun dumped = runTool({"dump", "--from", "9", "--to", "37"});
        QCOMPARE(dumped.exitCode, 0);
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(dumped.out);
        file.flush();
        // Read back with the calibration file format itself: every number comes back to the same bits.
        FILE *in = std::fopen(file.fileName().toLocal8Bit().constData(), "r");
        QVERIFY(in);
        char tags[6][64];
        CalibrationBlock b = emptyCalibrationBlock();
        int slot = 9;
        while (std::fscanf(in, "%63s %19[^\n] %63s %f %63s %f %f %f %63s %f %f %f %63s %f %f %f %63s %d", tags[0],
                           b.calName, tags[1], &b.absIntensityCal, tags[2], &b.xCal[0], &b.xCal[1], &b.xCal[2],
                           tags[3], &b.yCal[0], &b.yCal[1], &b.yCal[2], tags[4], &b.zCal[0], &b.zCal[1],
                           &b.zCal[2], tags[5], &b.basCalIndex) == 18) {
            QCOMPARE(QByteArray(tags[2]), QByteArray("[XCAL]"));
            QCOMPARE(blockName(b), blockName(made.blocks[slot]));
            QCOMPARE(std::memcmp(&b.absIntensityCal, &made.blocks[slot].absIntensityCal, 44), 0);
            std::memset(b.calName, 0, kCalNameSize);
            ++slot;
        }
        std::fclose(in);
        QCOMPARE(slot, 38);
    }

    void toolSetsAndClearsFaults()
    {
        install(standardInstrument());
        for (const QStringList &args : {QStringList{"fault", "open", "-1"}, {"fault", "serial", "5"},
                                        {"fault", "call", "retrievedevicecal", "15", "8", "2"},
                                        {"fault", "corrupt-write", "33"}, {"fault", "unterminated-serial"},
                                        {"fault", "unterminated-names"}, {"delay", "20"}, {"detach"}})
            QCOMPARE(runTool(args).exitCode, 0);
        InstrumentState s = loaded();
        QCOMPARE(int(s.faults.openResult), -1);
        QCOMPARE(int(s.faults.serialResult), 5);
        QCOMPARE(s.faults.call.function, CallFunction::RetrieveDeviceCal);
        QCOMPARE(s.faults.call.slot, 15);
        QCOMPARE(int(s.faults.call.code), 8);
        QCOMPARE(s.faults.call.occurrence, 2);
        QCOMPARE(s.faults.corruptWriteSlot, 33);
        QVERIFY(s.faults.unterminatedSerial && s.faults.unterminatedNames);
        QCOMPARE(s.delayMs, 20);
        QVERIFY(!s.attached);
        QVERIFY(runTool({"list"}).out.contains("fault call retrievedevicecal 15 8 2"));

        QCOMPARE(runTool({"fault", "clear", "serial"}).exitCode, 0);
        QCOMPARE(int(loaded().faults.serialResult), 0);
        QCOMPARE(int(loaded().faults.openResult), -1);
        QCOMPARE(runTool({"fault", "clear"}).exitCode, 0);
        QCOMPARE(runTool({"attach"}).exitCode, 0);
        s = loaded();
        QVERIFY(s.attached && s.faults.openResult == 0 && s.faults.call.function == CallFunction::None);
        QVERIFY(!s.faults.unterminatedNames && s.faults.corruptWriteSlot == -1);

        Session session;
        QCOMPARE(runTool({"log"}).out, QByteArray("TARVIKopen -1 0\n"));
        QCOMPARE(runTool({"clear-log"}).exitCode, 0);
        QVERIFY(readCallLog().empty());
    }

    void toolRefusesBadArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no command") << QStringList();
        QTest::newRow("unknown command") << QStringList{"explode"};
        QTest::newRow("unknown family") << QStringList{"create", "--family", "blue", "--serial", "S",
                                                       "--ambient-slot", "9"};
        QTest::newRow("ambient in slot 8") << QStringList{"create", "--family", "both", "--serial", "S",
                                                          "--ambient-slot", "8"};
        QTest::newRow("long serial") << QStringList{"create", "--family", "both", "--serial", "12345678901234",
                                                    "--ambient-slot", "9"};
        QTest::newRow("dump backwards") << QStringList{"dump", "--from", "20", "--to", "10"};
        QTest::newRow("positive open fault") << QStringList{"fault", "open", "1"};
        QTest::newRow("zero code") << QStringList{"fault", "call", "loaddevicecal", "12", "0"};
        QTest::newRow("corrupt factory write") << QStringList{"fault", "corrupt-write", "3"};
        QTest::newRow("unknown fault") << QStringList{"fault", "smoke"};
        QTest::newRow("list with arguments") << QStringList{"list", "all"};
    }
    void toolRefusesBadArguments()
    {
        QFETCH(QStringList, args);
        install(standardInstrument());
        QFile file(QString::fromStdString(statePath()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        const ToolRun run = runTool(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("usage: tarvik-standin"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void toolReportsAMissingInstrument()
    {
        const ToolRun run = runTool({"list"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(statePath().c_str()));
    }
};

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--write-until-killed") == 0)
        return writeUntilKilled();
    QCoreApplication app(argc, argv);
    TestStandin test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_standin.moc"
