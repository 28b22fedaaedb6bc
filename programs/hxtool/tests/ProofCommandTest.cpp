#include "core/image/DataFile.h"
#include "core/production/Digest.h"
#include "core/production/tests/ProductionFixture.h"
#include "core/testsupport/EmulatorProcess.h"
#include "core/testsupport/TestFolder.h"
#include "programs/hxtool/Commands.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace hxtool {
namespace {

namespace fs = std::filesystem;

// The fields of one CSV line, quoted ones unquoted.
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += line[i];
    }
    return fields;
}

// The radio bytes a write sends, as a data file holds them.
std::string WrittenPart(const std::string& file) {
    return file.substr(hx::kHeaderSize, 123 * 8);
}

// hxtool as a process of its own, its standard input a pipe the test holds and its
// output in a file, for what only a process shows: Enter, the end of the input, a kill.
class HxtoolProcess {
public:
    HxtoolProcess(std::vector<std::string> args, const fs::path& output) {
        args.insert(args.begin(), std::string(HX_BINARY_DIR) + "/hxtool");
        args.insert(args.end(), {"--settings", HX_SOURCE_DIR "/data/Setting", "--model", "7200"});
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int in[2];
        if (::pipe(in) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_addclose(&actions, in[1]);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        input_ = in[1];
    }
    ~HxtoolProcess() {
        closeInput();
        if (pid_ > 0)
            kill(SIGKILL);
    }
    void enter() { (void)!::write(input_, "\n", 1); }
    void closeInput() {
        if (input_ >= 0)
            ::close(input_);
        input_ = -1;
    }
    // The exit status, or -1 when it was killed by a signal.
    int kill(int signal) {
        ::kill(pid_, signal);
        return wait();
    }
    int wait() {
        int status = 0;
        ::waitpid(std::exchange(pid_, -1), &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int input_ = -1;
};

// Waits up to 10 s for `path` to hold `text`.
bool AwaitText(const fs::path& path, const std::string& text) {
    for (int i = 0; i < 1000; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
        if (fs::exists(path) && FileBytes(path).find(text) != std::string::npos)
            return true;
    return false;
}

class ProofCommand : public testing::Test {
protected:
    int run(int (*command)(const Invocation&), std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        args.insert(args.end(), {"--settings", HX_SOURCE_DIR "/data/Setting", "--model", "7200"});
        return command({std::move(args), dir_, out_, err_});
    }
    std::string save(const std::string& name, const hx::MemoryImage& image) const {
        hx::WriteDataFile(dir_ / name, image);
        return (dir_ / name).string();
    }

    hx::Hx7200 hx7200_;
    TestFolder folder_{"hxtool_proof"};
    const fs::path dir_ = folder_.path();
    const std::string master_ = save("master.dat", hx7200_.encode(hx::kUhf, 450.0125));
    std::ostringstream out_, err_;
};

TEST_F(ProofCommand, WriteVerifyNamesEachDifference) {
    EmulatorProcess good({"--fast"});
    EXPECT_EQ(run(RunWrite, {master_, "--port", good.device(), "--verify", "--settle", "0"}),
              kExitSuccess)
        << err_.str();
    EXPECT_EQ(out_.str(), "verified\n");

    EmulatorProcess corrupting({"--fast", "--corrupt", "49:0x87"});
    EXPECT_EQ(run(RunWrite, {master_, "--port", corrupting.device(), "--verify", "--settle", "0"}),
              kExitFailure);
    EXPECT_EQ(out_.str(), "channel 3 receive frequency: sent 450.06250, radio holds 450.08750\n");
    EXPECT_NE(err_.str().find("hxtool write: verification found 1 difference(s)"),
              std::string::npos)
        << err_.str();
}

// The refusal and where the backup went are told; --force writes all the same.
TEST_F(ProofCommand, WriteRefusesARadioOfAnotherBandAfterKeepingIt) {
    const std::string vhf = save("vhf.dat", hx7200_.encode(hx::kVhf, 150.0125));
    EmulatorProcess sim({"--fast", "--load", vhf});
    const fs::path backups = dir_ / "Backups";
    EXPECT_EQ(run(RunWrite, {master_, "--port", sim.device(), "--backup", backups.string()}),
              kExitFailure);
    EXPECT_EQ(err_.str(), "hxtool write: radio band 136-174MHz (HX7200-V), file band "
                          "400-470MHz (HX7200-U): nothing was written\n"
                          "hxtool write: --force writes anyway\n");
    ASSERT_EQ(std::distance(fs::directory_iterator(backups), {}), 1);
    const auto kept = fs::directory_iterator(backups)->path();
    EXPECT_EQ(out_.str(), "backup: " + kept.string() + "\n");

    EXPECT_EQ(run(RunWrite, {master_, "--port", sim.device(), "--backup", backups.string(),
                             "--force", "--verify", "--settle", "0"}),
              kExitSuccess)
        << err_.str();
    EXPECT_TRUE(out_.str().ends_with("verified\n")) << out_.str();
}

// Three radios at once, the second keeping a byte wrong: it alone fails, and the
// others hold exactly what was sent.
TEST_F(ProofCommand, CloneLogsEachRadioOfThreePorts) {
    EmulatorProcess sim({"--fast", "--radios", "3", "--memory", (dir_ / "radio%n.dat").string(),
                         "--faulty", "2", "--corrupt", "49:0x87"});
    ASSERT_EQ(sim.devices().size(), 3u);
    const std::string log = (dir_ / "units.csv").string();
    const auto& d = sim.devices();
    EXPECT_EQ(run(RunClone, {master_, "--port", d[0], "--port", d[1], "--port", d[2], "--count",
                             "1", "--no-wait", "--verify", "--settle", "0", "--log", log}),
              kExitFailure)
        << err_.str();
    EXPECT_TRUE(out_.str().ends_with("done: 2 passed, 1 failed; log: " + log + "\n")) << out_.str();
    sim.stop();

    auto lines = FileLines(log);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(std::erase_if(lines, [](const std::string& l) { return l.ends_with(",STARTED,,,"); }),
              3u);
    EXPECT_EQ(lines[0], "time,port,unit,master_file,master_sha256,result,failed_step,"
                        "backup_file,reason");
    const std::string digest = hx::Sha256Hex(
        std::span(reinterpret_cast<const std::uint8_t*>(FileBytes(master_).data()) + 50, 1024));
    std::set<std::string> units;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto f = CsvFields(lines[i]);
        ASSERT_EQ(f.size(), 9u) << lines[i];
        units.insert(f[2]);
        EXPECT_EQ(f[3], "master.dat");
        EXPECT_EQ(f[4], digest);
        const bool faulty = f[1] == d[1];
        EXPECT_EQ(f[5], faulty ? "FAIL" : "PASS") << lines[i];
        EXPECT_EQ(f[6], faulty ? "verify" : "");
        EXPECT_EQ(f[8].find("channel 3 receive frequency") != std::string::npos, faulty);
    }
    EXPECT_EQ(units, (std::set<std::string>{"1", "2", "3"}));
    const std::string sent = WrittenPart(FileBytes(master_));
    EXPECT_EQ(WrittenPart(FileBytes(dir_ / "radio1.dat")), sent);
    EXPECT_NE(WrittenPart(FileBytes(dir_ / "radio2.dat")), sent);
    EXPECT_EQ(WrittenPart(FileBytes(dir_ / "radio3.dat")), sent);
}

// A clone that could not keep its log, or would start radios without end, stops
// before any radio is touched.
TEST_F(ProofCommand, CloneRefusesWhatItCouldNotFinishBeforeTouchingARadio) {
    EmulatorProcess sim({"--fast", "--log", (dir_ / "frames.txt").string()});
    EXPECT_EQ(run(RunClone, {master_, "--port", sim.device(), "--count", "1", "--no-wait", "--log",
                             (dir_ / "missing/units.csv").string()}),
              kExitFailure);
    EXPECT_EQ(run(RunClone, {master_, "--port", sim.device(), "--no-wait"}), kExitUsage);
    EXPECT_NE(err_.str().find("--no-wait needs --count N"), std::string::npos) << err_.str();
    sim.stop();
    EXPECT_EQ(FileBytes(dir_ / "frames.txt"), "");
}

// A radio that stays deaf after it was programmed is written but not proven: its own
// result and exit status.
TEST_F(ProofCommand, AWriteThatCannotBeVerifiedHasItsOwnExitStatus) {
    EmulatorProcess deaf(
        {"--fast", "--deaf-after-write", "10000", "--save", (dir_ / "deaf.dat").string()});
    EXPECT_EQ(run(RunWrite, {master_, "--port", deaf.device(), "--verify", "--settle", "0",
                             "--patience", "50"}),
              kExitUnverified);
    EXPECT_EQ(err_.str(), "hxtool write: written, not verified: the radio did not answer after "
                          "programming\n");
    deaf.stop();
    EXPECT_EQ(WrittenPart(FileBytes(dir_ / "deaf.dat")), WrittenPart(FileBytes(master_)));
    EXPECT_EQ(run(RunWrite, {master_, "--port", "x", "--patience", "49"}), kExitUsage);
}

// One device given twice would be a second station failing against the first; a log
// named as the master would be appended to it. Both are refused before any radio.
TEST_F(ProofCommand, CloneRefusesAPortTwiceAndTheMasterAsItsLog) {
    EmulatorProcess sim({"--fast", "--log", (dir_ / "frames.txt").string()});
    const fs::path link = dir_ / "radio-link";
    fs::create_symlink(sim.device(), link);
    EXPECT_EQ(run(RunClone, {master_, "--port", sim.device(), "--port", link.string(), "--count",
                             "1", "--no-wait"}),
              kExitUsage);
    EXPECT_NE(err_.str().find("name the same device " + sim.device()), std::string::npos)
        << err_.str();
    const fs::path masterLink = dir_ / "master-link.csv";
    fs::create_symlink(master_, masterLink);
    const std::string before = FileBytes(master_);
    for (const auto& log : {fs::path(master_), masterLink}) {
        EXPECT_EQ(run(RunClone, {master_, "--port", sim.device(), "--count", "1", "--no-wait",
                                 "--log", log.string()}),
                  kExitFailure);
        EXPECT_EQ(err_.str(),
                  "hxtool clone: --log " + log.string() + ": is the input file; name another\n");
    }
    sim.stop();
    EXPECT_EQ(FileBytes(master_), before);
    EXPECT_EQ(FileBytes(dir_ / "frames.txt"), "");
}

// The operator ends a run after one radio passed: nothing failed, so the exit status
// says success, and the last lines say where the run stopped.
TEST_F(ProofCommand, CloneStoppedByTheOperatorSucceedsWhenNoRadioFailed) {
    EmulatorProcess sim({"--fast"});
    const fs::path log = dir_ / "units.csv";
    const fs::path output = dir_ / "out.txt";
    HxtoolProcess clone({"clone", master_, "--port", sim.device(), "--log", log.string()}, output);
    ASSERT_TRUE(AwaitText(output, "press Enter"));
    clone.enter();
    ASSERT_TRUE(AwaitText(log, ",PASS,"));
    clone.closeInput();
    EXPECT_EQ(clone.wait(), kExitSuccess) << FileBytes(output);
    EXPECT_NE(FileBytes(output).find("stopped after 1 radio\ndone: 1 passed, 0 failed"),
              std::string::npos)
        << FileBytes(output);
}

// A clone killed while it programs a radio leaves that radio's STARTED line; the next
// run on the same log tells the operator to check it.
TEST_F(ProofCommand, AKilledCloneLeavesALineTheNextRunReports) {
    EmulatorProcess sim({"--fast"});
    const fs::path log = dir_ / "units.csv";
    const fs::path output = dir_ / "out.txt";
    HxtoolProcess killed({"clone", master_, "--port", sim.device(), "--count", "1", "--no-wait",
                          "--verify", "--settle", "10000", "--log", log.string()},
                         output);
    ASSERT_TRUE(AwaitText(log, ",STARTED,"));
    EXPECT_EQ(killed.kill(SIGKILL), -1);
    EXPECT_EQ(run(RunClone, {master_, "--port", sim.device(), "--count", "1", "--no-wait", "--log",
                             log.string()}),
              kExitSuccess)
        << err_.str();
    EXPECT_TRUE(
        err_.str().starts_with("hxtool clone: unit 1 on " + sim.device() + " was started at 20"))
        << err_.str();
    EXPECT_TRUE(err_.str().ends_with(" and has no result: check that radio\n")) << err_.str();
}

} // namespace
} // namespace hxtool
