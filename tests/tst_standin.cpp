// The stand-in instrument, driven through the six library functions the program
// links against, through its state file and through its command-line tool.
// Plain arrays are handed to the library: the sanitizers catch any write past them.

#include "calibrationfile.h"
#include "state.h"
#include "tarvikdll.h"

#include <QtTest>

#include <cstring>
#include <limits>

using namespace standin;

namespace {

bool sameBytes(const CalibrationBlock &a, const CalibrationBlock &b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Each test's instrument, opened for the length of a scope.
struct Session
{
    Session() : result(TARVIKopen(&handle, 1)) {}
    ~Session() { if (result == 0) TARVIKclose(handle); }
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

QByteArray stateText()
{
    QFile file(QString::fromStdString(statePath()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

struct ToolRun { int exitCode = -1; QByteArray out, err; };

ToolRun runTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(TARVIK_STANDIN_TOOL), arguments);
    ToolRun run;
    if (tool.waitForFinished(30000) && tool.exitStatus() == QProcess::NormalExit)
        run = {tool.exitCode(), tool.readAllStandardOutput(), tool.readAllStandardError()};
    return run;
}

} // namespace

class TestStandin : public QObject
{
    Q_OBJECT

private slots:
    void init() { std::remove(statePath().c_str()); clearCallLog(); }

    void onlyTheOpenHandleIsServedAndEveryCallIsLogged()
    {
        std::int32_t handle = 4242;
        QCOMPARE(int(TARVIKopen(&handle, 1)), int(kTarvikNotFound)); // no state file: no instrument
        QCOMPARE(int(handle), 4242);
        InstrumentState state = install(standardInstrument());
        char serial[kSerialNumberSize];
        char name[kNameBufferSize];
        CalibrationBlock block = userCalibrationBlock("Logged", 1);
        QVector<int> results;
        results << TARVIKgetserial(1, serial) << TARVIKopen(&handle, 1) << TARVIKgetserial(handle + 1, serial)
                << TARVIKgetserial(handle, nullptr) << TARVIKgetserial(handle, serial)
                << TARVIKgetdevicecalname(handle, 3, name) << TARVIKretrievedevicecal(handle, 9, &block)
                << TARVIKloaddevicecal(handle, 4, &block) << TARVIKloaddevicecal(handle, 37, &block)
                << TARVIKclose(handle) << TARVIKclose(handle) << TARVIKgetserial(handle, serial);
        const std::vector<CallLogEntry> expected = {
            {"TARVIKgetserial", -1, kErrorBadHandle}, {"TARVIKopen", -1, 0},
            {"TARVIKgetserial", -1, kErrorBadHandle}, {"TARVIKgetserial", -1, kErrorNullBuffer},
            {"TARVIKgetserial", -1, 0}, {"TARVIKgetdevicecalname", 3, 0}, {"TARVIKretrievedevicecal", 9, 0},
            {"TARVIKloaddevicecal", 4, kErrorWriteProtected}, {"TARVIKloaddevicecal", 37, 0},
            {"TARVIKclose", -1, 0}, {"TARVIKclose", -1, kErrorBadHandle}, {"TARVIKgetserial", -1, kErrorBadHandle}};
        for (int i = 0; i < results.size(); ++i)
            QCOMPARE(results[i], int(expected[std::size_t(i)].result));
        QVERIFY(readCallLog() == expected);

        Session second;
        QVERIFY(second.handle != handle);
        QCOMPARE(int(TARVIKgetserial(handle, serial)), int(kErrorBadHandle));
        state.attached = false; // unplugged while open
        install(state);
        QCOMPARE(int(TARVIKgetdevicecalname(second.handle, 9, name)), int(kErrorDetached));
        QCOMPARE(runTool({"log"}).out, QByteArray("TARVIKgetdevicecalname 9 6\n"));
        QCOMPARE(runTool({"clear-log"}).exitCode, 0);
        QVERIFY(readCallLog().empty());
    }

    void slotsAreCheckedBeforeAnythingIsTouched_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("writeResult");
        QTest::addColumn<bool>("terminatedName");
        QTest::newRow("-1") << -1 << int(kErrorBadSlot) << true;
        QTest::newRow("38") << 38 << int(kErrorBadSlot) << true;
        QTest::newRow("int min") << std::numeric_limits<int>::min() << int(kErrorBadSlot) << true;
        QTest::newRow("int max") << std::numeric_limits<int>::max() << int(kErrorBadSlot) << true;
        QTest::newRow("factory slot 0") << 0 << int(kErrorWriteProtected) << true;
        QTest::newRow("reserved slot 8") << 8 << int(kErrorWriteProtected) << true;
        QTest::newRow("ambient slot 9") << 9 << 0 << true;
        QTest::newRow("name without its zero") << 20 << int(kErrorUnterminatedName) << false;
    }
    void slotsAreCheckedBeforeAnythingIsTouched()
    {
        QFETCH(int, slot);
        QFETCH(int, writeResult);
        QFETCH(bool, terminatedName);
        const InstrumentState before = install(standardInstrument());
        Session session;
        const bool inRange = slot >= 0 && slot < kSlotCount;
        char name[kNameBufferSize];
        CalibrationBlock read = userCalibrationBlock("Untouched", 2);
        const CalibrationBlock untouched = read;
        QCOMPARE(int(TARVIKgetdevicecalname(session.handle, slot, name)), inRange ? 0 : int(kErrorBadSlot));
        QCOMPARE(int(TARVIKretrievedevicecal(session.handle, slot, &read)), inRange ? 0 : int(kErrorBadSlot));
        QVERIFY(sameBytes(read, inRange ? before.blocks[slot] : untouched));
        if (inRange)
            QCOMPARE(QByteArray(name), QByteArray(blockName(before.blocks[slot]).c_str()));
        CalibrationBlock write = userCalibrationBlock("Written", 0);
        if (!terminatedName)
            std::memset(write.calName, 'Z', kCalNameSize);
        QCOMPARE(int(TARVIKloaddevicecal(session.handle, slot, &write)), writeResult);
        const InstrumentState after = loaded();
        for (int s = 0; s < kSlotCount; ++s)
            QVERIFY(sameBytes(after.blocks[s], s == slot && writeResult == 0 ? write : before.blocks[s]));
    }

    void unterminatedFaultsFillWholeBuffers()
    {
        InstrumentState state =
            makeInstrument(Family::Rgbblu, "ABCDEFGHIJKLM", kAmbientSlot, {std::string(kCalNameSize - 1, 'N'), "Short"});
        state.faults.unterminatedSerial = state.faults.unterminatedNames = true;
        install(state);
        Session session;
        char serial[kSerialNumberSize];
        QCOMPARE(int(TARVIKgetserial(session.handle, serial)), 0);
        QVERIFY(QByteArray(serial, kSerialNumberSize).startsWith("ABCDEFGHIJKLM"));
        QVERIFY(!std::memchr(serial, 0, kSerialNumberSize));
        for (int slot : {0, 10, 11}) {
            char name[kNameBufferSize];
            QCOMPARE(int(TARVIKgetdevicecalname(session.handle, slot, name)), 0);
            QVERIFY(QByteArray(name, kNameBufferSize).startsWith(blockName(state.blocks[slot]).c_str()));
            QVERIFY(!std::memchr(name, 0, kNameBufferSize));
            CalibrationBlock block;
            QCOMPARE(int(TARVIKretrievedevicecal(session.handle, slot, &block)), 0);
            QCOMPARE(calNameLength(block), kCalNameSize);
            QCOMPARE(std::memcmp(&block.absIntensityCal, &state.blocks[slot].absIntensityCal, 44), 0);
        }
    }

    void callFaultFailsTheChosenCall()
    {
        const int slot = 20;
        for (int occurrence : {0, 2}) { // every call, or only the second
            InstrumentState state = standardInstrument();
            state.faults.call = {CallFunction::LoadDeviceCal, slot, 77, occurrence, 0};
            install(state);
            CalibrationBlock block = userCalibrationBlock("Faulty", occurrence);
            QVector<int> results;
            {
                Session session;
                QCOMPARE(int(TARVIKloaddevicecal(session.handle, slot + 1, &block)), 0);
                results << TARVIKloaddevicecal(session.handle, slot, &block)
                        << TARVIKloaddevicecal(session.handle, slot, &block);
            }
            Session next; // the count of matching calls carries over into the next session and process
            results << TARVIKloaddevicecal(next.handle, slot, &block);
            QCOMPARE(results, occurrence == 0 ? QVector<int>({77, 77, 77}) : QVector<int>({0, 77, 0}));
            QVERIFY(sameBytes(loaded().blocks[slot + 1], block));
            QCOMPARE(isEmptyBlock(loaded().blocks[slot]), occurrence == 0);
        }
    }

    void malformedStateFilesAreRejected_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        const char *const rows[][4] = {
            {"foreign header", "tarvik-standin-state 1", "state 2", "line 1"},
            {"cut short", "end\n", "", "'end' is missing"},
            {"text after end", "end\n", "end\nmore\n", "after 'end'"},
            {"duplicate key", "delay-ms 0\n", "delay-ms 0\ndelay-ms 1\n", "appears twice"},
            {"unknown key", "delay-ms 0", "delay-sec 0", "unknown key"},
            {"missing key", "fault-serial 0\n", "", "'fault-serial' is missing"},
            {"corrupt write in factory slot", "fault-corrupt-write -1", "fault-corrupt-write 4", "line 8"},
            {"zero fault code", "fault-call none", "fault-call loaddevicecal 12 0 0 0", "non-zero code"},
            {"short block", "00000000\nslot 1 ", "\nslot 1 ", "64 bytes"},
            {"long serial", "serial ", "serial 4142434445464748494a4b4c4d4e", "at most 13"},
            {"unterminated name", "slot 10 4f6666696365204c454400000000000000000000",
             "slot 10 4f6666696365204c454420202020202020202020", "no terminating zero"}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QByteArray(r[1]) << QByteArray(r[2]) << QString(r[3]);
        QTest::newRow("huge") << QByteArray() << QByteArray(1 << 20, 'x') << "too large";
    }
    void malformedStateFilesAreRejected()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        install(standardInstrument());
        QByteArray text = stateText();
        QVERIFY2(text.contains(from), from.constData());
        QFile file(QString::fromStdString(statePath()));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(from.isEmpty() ? to : text.replace(text.indexOf(from), from.size(), to));
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

    void statePathFollowsTheEnvironment()
    {
        const QByteArray state = qgetenv("TARVIK_STANDIN_STATE"), xdg = qgetenv("XDG_DATA_HOME"), home = qgetenv("HOME");
        const auto restore = qScopeGuard([=] {
            qputenv("TARVIK_STANDIN_STATE", state);
            qputenv("XDG_DATA_HOME", xdg);
            qputenv("HOME", home);
        });
        QCOMPARE(QByteArray(statePath().c_str()), state);
        qunsetenv("TARVIK_STANDIN_STATE");
        qputenv("XDG_DATA_HOME", "/data/home");
        QCOMPARE(statePath(), std::string("/data/home/tarvik-standin/instrument.state"));
        qunsetenv("XDG_DATA_HOME");
        qputenv("HOME", "/home/user");
        QCOMPARE(statePath(), std::string("/home/user/.local/share/tarvik-standin/instrument.state"));
    }

    void killedWriterNeverLeavesAHalfWrittenState()
    {
        for (int round = 0; round < 12; ++round) {
            install(standardInstrument());
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {"--write-until-killed"});
            QVERIFY(writer.waitForStarted());
            const std::size_t writes = 2 + round % 4;
            QTRY_VERIFY_WITH_TIMEOUT(readCallLog().size() > writes, 30000); // the open, then the writes
            QTest::qWait(round % 3);
            writer.kill();
            QVERIFY(writer.waitForFinished());
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

            const InstrumentState after = loaded();
            std::size_t loopBlocks = 0;
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
        }
    }

    void toolCreatesListsAndDumps()
    {
        const ToolRun missing = runTool({"list"});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(missing.err.contains(statePath().c_str()));

        QCOMPARE(runTool({"create", "--family", "gbrled-lower", "--serial", "TRV-42", "--ambient-slot", "11", "--user",
                          "Office LED", "--user", "Daylight 5000", "--user", "Third"}).exitCode, 0);
        const InstrumentState made = loaded();
        QCOMPARE(made.serial, std::string("TRV-42"));
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const CalibrationBlock expected = slot == 10 ? userCalibrationBlock("Office LED", 0)
                : slot == 11                             ? ambientCalibrationBlock()
                : slot == 12                             ? userCalibrationBlock("Daylight 5000", 1)
                : slot == 13                             ? userCalibrationBlock("Third", 2)
                                                         : emptyCalibrationBlock();
            QVERIFY2(slot <= kLastWriteProtectedSlot ? !isEmptyBlock(made.blocks[slot])
                                                     : sameBytes(made.blocks[slot], expected),
                     std::to_string(slot).c_str());
        }
        QVERIFY(makeInstrumentError("ABCDEFGHIJKLM", -1, std::vector<std::string>(28, "x")).empty());
        QVERIFY(!makeInstrumentError("ABCDEFGHIJKLM", 20, std::vector<std::string>(28, "x")).empty());
        QVERIFY(!makeInstrumentError("ABCDEFGHIJKLMN", 9, {}).empty());
        QVERIFY(!makeInstrumentError("X", 9, {std::string(20, 'n')}).empty());

        const ToolRun listed = runTool({"list"});
        QCOMPARE(listed.exitCode, 0);
        QVERIFY(listed.out.contains("serial TRV-42, attached"));
        QVERIFY(listed.out.contains("  11  JUST w. Diffuser     calibration\n"));
        QVERIFY(listed.out.contains("  12  Daylight 5000        calibration\n"));
        QVERIFY(listed.out.contains("  37  empty                empty\n"));

        // The dump reads back with the program's own reader, every number to the same bits.
        const ToolRun dumped = runTool({"dump", "--from", "9", "--to", "37"});
        QCOMPARE(dumped.exitCode, 0);
        const CalibrationFileContents back = readCalibrationFile(dumped.out.constData(), dumped.out.size());
        QCOMPARE(back.result, 0);
        QCOMPARE(int(back.blocks.size()), kSlotCount - 9);
        for (int slot = 9; slot < kSlotCount; ++slot)
            QVERIFY2(sameBytes(back.blocks[slot - 9], made.blocks[slot]), std::to_string(slot).c_str());
    }

    // Each command changes the instrument as `list` then shows it and is undone by its counterpart;
    // a refused command changes nothing.
    void toolCommandsAndTheirUndoing_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QString>("undo");
        QTest::newRow("fault open -1") << 0 << "\nfault open -1\n" << "fault clear open";
        QTest::newRow("fault serial 5") << 0 << "\nfault serial 5\n" << "fault clear serial";
        QTest::newRow("fault call retrievedevicecal 15 8 2") << 0 << "\nfault call retrievedevicecal 15 8 2 " << "fault clear call";
        QTest::newRow("fault corrupt-write 33") << 0 << "\nfault corrupt-write 33\n" << "fault clear corrupt-write";
        QTest::newRow("fault unterminated-serial") << 0 << "\nfault unterminated-serial\n" << "fault clear all";
        QTest::newRow("fault unterminated-names") << 0 << "\nfault unterminated-names\n" << "fault clear";
        QTest::newRow("delay 20") << 0 << ", delay 20 ms\n" << "delay 0";
        QTest::newRow("detach") << 0 << ", detached" << "attach";
        for (const char *refused : {"explode", "create --family blue --serial S --ambient-slot 9",
                                    "create --family both --serial S --ambient-slot 8", "dump --from 20 --to 10",
                                    "fault call loaddevicecal 12 0", "fault corrupt-write 3", "fault open 1"})
            QTest::newRow(refused) << 2 << "" << "";
    }
    void toolCommandsAndTheirUndoing()
    {
        QFETCH(int, exitCode);
        QFETCH(QString, listed);
        QFETCH(QString, undo);
        install(standardInstrument());
        const QByteArray before = stateText();
        const ToolRun run = runTool(QString(QTest::currentDataTag()).split(' '));
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.err.contains("usage: tarvik-standin"), exitCode == 2);
        QCOMPARE(stateText() == before, exitCode != 0);
        if (exitCode == 0) {
            const QByteArray list = runTool({"list"}).out;
            QVERIFY2(list.contains(listed.toUtf8()), list.constData());
            QCOMPARE(runTool(undo.split(' ')).exitCode, 0);
        }
        QCOMPARE(stateText(), before);
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
