#include "core/production/CloneRun.h"

#include "core/production/tests/ProductionFixture.h"
#include "core/testsupport/EmulatedRadioPort.h"
#include "core/testsupport/TestFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace hx {
namespace {

using namespace std::chrono_literals;

// Notes what the run reports, from whichever station thread it comes.
class Recorder : public CloneObserver {
public:
    void waitingForStart(std::size_t station) override {
        std::lock_guard lock(mutex_);
        waiting_.insert(station);
        changed_.notify_all();
    }
    void unitFinished(const UnitReport& report) override {
        std::lock_guard lock(mutex_);
        reports.push_back(report);
    }
    void unfinishedFound(const std::vector<UnfinishedUnit>& units) override { unfinished = units; }
    // Waits until these stations wait for Start.
    bool awaitWaiting(const std::set<std::size_t>& stations) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 5s, [&] {
            return std::includes(waiting_.begin(), waiting_.end(), stations.begin(),
                                 stations.end());
        });
    }
    std::vector<UnitReport> reports;
    std::vector<UnfinishedUnit> unfinished;

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::set<std::size_t> waiting_;
};

class CloneRunTest : public testing::Test {
protected:
    CloneSetup setup(bool waitForStart, std::optional<int> count) const {
        CloneSetup s{image_, hx7200_.model, "master.dat", "ab12", {.verify = true, .settle = 0ms}};
        s.count = count;
        s.waitForStart = waitForStart;
        s.logFile = log_;
        return s;
    }
    // Ports on the radios the test holds; "dead" cannot be opened. Notes the thread
    // each port was opened on.
    PortFactory factory() {
        return [this](const std::string& name) -> std::unique_ptr<SerialPort> {
            {
                std::lock_guard lock(mutex_);
                openedOn_[name].insert(std::this_thread::get_id());
            }
            if (name == "dead")
                throw PortError("dead: No such file or directory");
            return std::make_unique<StoppablePort>(*radios_.at(name), neverStops_);
        };
    }
    void addRadio(const std::string& name, const MemoryImage& holds) {
        radios_[name] = std::make_unique<EmulatedRadioPort>(MemoryOf(holds));
    }
    std::vector<std::string> logLines() const {
        auto lines = FileLines(log_);
        for (auto& line : lines)
            line.erase(0, line.find(',') + 1); // without the time
        return lines;
    }

    Hx7200 hx7200_;
    const MemoryImage image_ = hx7200_.encode(kUhf, 450.0125);
    const MemoryImage older_ = hx7200_.encode(kUhf, 460.0125);
    TestFolder folder_{"clone_run"};
    const std::filesystem::path log_ = folder_.path() / "units.csv";
    std::map<std::string, std::unique_ptr<EmulatedRadioPort>> radios_;
    StopSignal neverStops_;
    std::mutex mutex_;
    std::map<std::string, std::set<std::thread::id>> openedOn_;
};

// A port that cannot be opened fails its own radios only; each station opens its port
// on a thread of its own, as QSerialPort needs.
TEST_F(CloneRunTest, EachStationRunsOnItsOwnThreadAndFailsAlone) {
    addRadio("COM1", older_);
    addRadio("COM2", older_);
    Recorder recorder;
    StopSignal stop;
    {
        CloneRun run(setup(false, 2), {"COM1", "dead", "COM2"}, factory(), recorder, stop);
        ASSERT_TRUE(run.waitForEnd(10s));
        EXPECT_EQ(run.totals().passed, 4);
        EXPECT_EQ(run.totals().failed, 2);
    }
    for (const auto& name : {"COM1", "COM2"})
        EXPECT_TRUE(HoldsWrittenBlocks(radios_[name]->memory(), image_)) << name;
    ASSERT_EQ(openedOn_.size(), 3u);
    std::set<std::thread::id> threads{std::this_thread::get_id()};
    for (const auto& [name, ids] : openedOn_) {
        EXPECT_EQ(ids.size(), 1u) << name << " stays on one thread";
        threads.insert(ids.begin(), ids.end());
    }
    EXPECT_EQ(threads.size(), 4u);

    const auto lines = logLines();
    ASSERT_EQ(lines.size(), 13u) << "each radio's STARTED line, then its result";
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.ends_with(",STARTED,,,"); }),
              6);
    const std::regex deadLine(R"(dead,\d,master\.dat,ab12,FAIL,port,,)"
                              R"(the port could not be opened: dead: No such file or directory)");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [&](const std::string& l) { return std::regex_match(l, deadLine); }),
              2);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.ends_with("PASS,,,verified"); }),
              4);
    std::set<int> units;
    for (const auto& report : recorder.reports)
        units.insert(report.unit);
    EXPECT_EQ(units, (std::set<int>{1, 2, 3, 4, 5, 6}));
}

// Nothing goes out on a port until its operator presses Start there; a stop ends the
// stations that wait, without a radio.
TEST_F(CloneRunTest, AStationWaitsForItsStart) {
    addRadio("COM1", older_);
    addRadio("COM2", older_);
    Recorder recorder;
    StopSignal stop;
    CloneRun run(setup(true, std::nullopt), {"COM1", "COM2"}, factory(), recorder, stop);
    ASSERT_TRUE(recorder.awaitWaiting({0, 1}));
    EXPECT_TRUE(radios_["COM1"]->sends.empty());
    run.start(0);
    for (auto deadline = std::chrono::steady_clock::now() + 5s;
         run.totals().passed == 0 && std::chrono::steady_clock::now() < deadline;)
        std::this_thread::sleep_for(1ms);
    run.stop();
    ASSERT_TRUE(run.waitForEnd(5s));
    EXPECT_EQ(run.totals().passed, 1);
    EXPECT_TRUE(HoldsWrittenBlocks(radios_["COM1"]->memory(), image_));
    EXPECT_TRUE(radios_["COM2"]->sends.empty());
    EXPECT_EQ(logLines().size(), 3u);
}

// A stop before the write leaves the radio as it was and says so; one during the write
// lets it finish, verification included; an abort cuts it and the log says the radio
// is half-written.
TEST_F(CloneRunTest, StoppingNeverLeavesAHalfWrittenRadioUnsaid) {
    struct Case {
        char frame; // the stop comes as this frame's block 1 goes out
        bool abort;
        std::string log; // the line, from the result on
    };
    const Case cases[] = {
        {'R', false, "STOPPED,write"},
        {'W', false, "PASS,,"},
        {'W', true, "INTERRUPTED,write"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(log_);
        addRadio("COM1", older_);
        StopSignal stop;
        radios_["COM1"]->onSend = [&](std::span<const std::uint8_t> bytes) {
            if (bytes.size() >= 4 && bytes[0] == c.frame && bytes[1] == 0 && bytes[2] == 8)
                c.abort ? stop.requestAbort() : stop.requestStop();
        };
        CloneSetup s = setup(false, 3);
        s.options.backupFolder = folder_.path() / "Backups";
        Recorder recorder;
        CloneRun run(s, {"COM1"}, factory(), recorder, stop);
        ASSERT_TRUE(run.waitForEnd(10s));
        const auto lines = logLines();
        ASSERT_EQ(lines.size(), 3u) << "one radio, then no other";
        EXPECT_EQ(lines[1], "COM1,1,master.dat,ab12,STARTED,,,");
        const std::string line = lines[2];
        const std::string result = "ab12," + c.log;
        EXPECT_NE(line.find(result), std::string::npos) << line;
        EXPECT_NE(line.find("Backups/"), std::string::npos) << line;
        EXPECT_EQ(HoldsWrittenBlocks(radios_["COM1"]->memory(), image_), c.log == "PASS,,") << line;
    }
}

// A run killed while it programmed left STARTED lines without a result: the next run
// on the log tells each such radio once and closes it in the log; a unit number that a
// later run started again is told too, as the earlier run's.
TEST_F(CloneRunTest, ARadioLeftWithoutAResultIsToldByTheNextRunOnce) {
    const std::string master = ",master.dat,ab12,";
    PutFileBytes(log_, std::string(kUnitLogHeader) + "T1,COM2,7" + master + "STARTED,,,\n" +
                           "T1,COM1,1" + master + "STARTED,,,\n" + "T2,COM1,1" + master +
                           "PASS,,,verified\n" + "T3,COM1,1" + master + "STARTED,,,\n" +
                           "T4,COM1,1" + master + "STARTED,,,\n" + "T5,COM1,1" + master +
                           "FAIL,verify,,x\n");
    const auto told = [](const std::vector<UnfinishedUnit>& units) {
        std::vector<std::string> texts;
        for (const auto& u : units)
            texts.push_back(u.port + " " + std::to_string(u.unit) + " " + u.startedAt);
        return texts;
    };
    EXPECT_EQ(told(FindUnfinishedUnits(log_)),
              (std::vector<std::string>{"COM1 1 T3", "COM2 7 T1"}));
    for (const bool first : {true, false}) {
        addRadio("COM1", older_);
        Recorder recorder;
        StopSignal stop;
        CloneRun run(setup(false, 1), {"COM1"}, factory(), recorder, stop);
        ASSERT_TRUE(run.waitForEnd(10s));
        EXPECT_EQ(told(recorder.unfinished).size(), first ? 2u : 0u);
    }
    const auto lines = logLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) {
                                return l.find(",UNFINISHED,,,started at T") != std::string::npos;
                            }),
              2);
    EXPECT_TRUE(FindUnfinishedUnits(log_).empty());
}

} // namespace
} // namespace hx
