#include "core/testsupport/EmulatorProcess.h"
#include "core/testsupport/FakeSystem.h"
#include "core/testsupport/TestFolder.h"
#include "programs/hxtool/Commands.h"
#include "programs/hxtool/ReadOutput.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace hxtool {
namespace {

namespace fs = std::filesystem;
const fs::path kShippedSettings = fs::path(HX_SOURCE_DIR) / "data/Setting";

// The first channel of the documented example: 446.00625 MHz receive only, encode
// tone 71.9 Hz, shift on, narrow.
constexpr const char* kExample =
    R"({"model":7200,"subModel":1,"band":"400-470MHz","functions":{"MoniKey":3,"TimeOut":2,)"
    R"("Sql":6,"BatSave":1,"ToneHint":0,"WideNarrow":1},"channels":[{"channel":1,)"
    R"("RxFrequency":446.00625,"TxFrequency":-1,"RxTone":0,"TxTone":2,"BusyLockout":0,)"
    R"("Shift":1,"cells":["446.00625","","None","71.9","No","Yes"]}]})";

class HxtoolTest : public testing::Test {
protected:
    // Each JSON document is refused with its complaint, and nothing is written.
    template <typename Cases>
    void expectEncodeRefused(const Cases& cases, const fs::path& settings = kShippedSettings) {
        const auto output = dir_ / "o.dat";
        for (const auto& [document, complaint] : cases) {
            const auto json = put("plug.json", document);
            EXPECT_EQ(run(RunEncode,
                          {json.string(), "-o", output.string(), "--settings", settings.string()}),
                      kExitFailure)
                << document;
            EXPECT_EQ(err_.str(), "hxtool encode: " + json.string() + ": " + complaint + "\n");
            EXPECT_FALSE(fs::exists(output)) << document;
        }
    }
    int run(int (*command)(const Invocation&), std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return command({std::move(args), dir_, out_, err_});
    }
    int runShipped(int (*command)(const Invocation&), std::vector<std::string> args) {
        args.insert(args.end(), {"--settings", kShippedSettings.string()});
        return run(command, std::move(args));
    }
    // The example encoded with the shipped settings into plug.dat.
    fs::path encodeExample() {
        const auto data = dir_ / "plug.dat";
        EXPECT_EQ(runShipped(RunEncode, {put("plug.json", kExample).string(), "-o", data.string()}),
                  0)
            << err_.str();
        return data;
    }
    fs::path put(const std::string& name, const std::string& text) const {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    static std::string contents(const fs::path& path) { return FileBytes(path); }
    nlohmann::json decodeJson(const fs::path& data) {
        EXPECT_EQ(runShipped(RunDecode, {data.string(), "--json"}), 0) << err_.str();
        return nlohmann::json::parse(out_.str());
    }

    TestFolder folder_{"hxtool"};
    const fs::path dir_ = folder_.path();
    std::ostringstream out_, err_;
};

// Protects the bytes the radio receives for the documented example channel.
TEST_F(HxtoolTest, ExampleEncodesToItsRecordAndDecodesBack) {
    const std::string image = contents(encodeExample());
    ASSERT_EQ(image.size(), 1074u);
    const unsigned char record[] = {0x25, 0x06, 0x60, 0x44, 0xFF, 0xFF, 0xFF, 0xFF,
                                    0xFF, 0xFF, 0x19, 0x07, 0xFD, 0x01, 0x01, 0xFF};
    EXPECT_EQ(image.substr(66, 16), std::string(std::begin(record), std::end(record)));
    EXPECT_EQ(static_cast<unsigned char>(image[1028]), 18) << "band code of sub-model 1";

    nlohmann::json decoded = decodeJson(dir_ / "plug.dat");
    ASSERT_EQ(decoded["channels"].size(), 16u);
    EXPECT_EQ(decoded["channels"][15]["RxFrequency"], -1);
    EXPECT_EQ(decoded["channels"][15]["cells"][0], "");
    auto& channels = decoded["channels"];
    channels.erase(channels.begin() + 1, channels.end());
    EXPECT_EQ(decoded, nlohmann::json::parse(kExample));
}

TEST_F(HxtoolTest, ModelComesFromTheSettingsFileUnlessGiven) {
    const fs::path settings = dir_ / "Setting";
    fs::copy(kShippedSettings, settings);
    std::ofstream(settings / "ParaConfig.ini") << "[Config]\nType=7100\n";
    const auto json = put("plug.json", R"({"subModel":0})");
    ASSERT_EQ(run(RunEncode, {json.string(), "-o", (dir_ / "a.dat").string()}), 0) << err_.str();
    ASSERT_EQ(run(RunDecode, {(dir_ / "a.dat").string(), "--json"}), 0) << err_.str();
    EXPECT_EQ(nlohmann::json::parse(out_.str())["model"], 7100);
    ASSERT_EQ(run(RunDecode, {(dir_ / "a.dat").string(), "--json", "--model", "7400"}), 0);
    EXPECT_EQ(nlohmann::json::parse(out_.str())["model"], 7400);
    ASSERT_EQ(run(RunDecode, {(dir_ / "a.dat").string()}), 0);
    EXPECT_NE(out_.str().find("Model HX7100, sub-model 0 (136-174MHz)"), std::string::npos)
        << out_.str();
}

TEST_F(HxtoolTest, BadInputFailsWithOneClearLine) {
    EXPECT_EQ(run(RunDecode, {"--json"}), kExitUsage);
    EXPECT_EQ(run(RunDecode, {"x.dat", "--model", "7300"}), kExitUsage);
    EXPECT_EQ(run(RunEncode, {"x.json"}), kExitUsage) << "no -o";
    EXPECT_EQ(run(RunDecode, {"x.dat", "--bogus"}), kExitUsage);

    EXPECT_EQ(runShipped(RunDecode, {(dir_ / "missing.dat").string()}), kExitFailure);
    EXPECT_NE(err_.str().find("missing.dat"), std::string::npos);

    const auto bad = put("bad.json", R"({"channels":[{"channel":17}]})");
    EXPECT_EQ(runShipped(RunEncode, {bad.string(), "-o", (dir_ / "o.dat").string()}), kExitFailure);
    EXPECT_NE(err_.str().find("1 to 16"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "o.dat"));

    const auto broken = put("broken.json", "{");
    EXPECT_EQ(run(RunEncode, {broken.string(), "-o", (dir_ / "o.dat").string()}), kExitFailure);

    fs::create_directories(dir_ / "Broken");
    std::ofstream(dir_ / "Broken/Config_7200.ini") << "[Model]\nModCnt=8\n";
    fs::copy(kShippedSettings / "QTDQT_7200.ini", dir_ / "Broken");
    const auto data = put("blank.dat", std::string(1074, '\xFF'));
    EXPECT_EQ(run(RunDecode, {data.string(), "--settings", (dir_ / "Broken").string()}),
              kExitFailure);
    const std::string message = err_.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_NE(message.find("Config_7200.ini"), std::string::npos) << message;
}

TEST_F(HxtoolTest, WriteThenReadGivesBackTheRadioArea) {
    const auto data = encodeExample();
    EmulatorProcess sim({"--fast"});
    ASSERT_EQ(runShipped(RunWrite, {data.string(), "--port", sim.device()}), 0) << err_.str();
    ASSERT_EQ(runShipped(RunRead, {"--port", sim.device(), "-o", (dir_ / "back.dat").string()}), 0)
        << err_.str();
    EXPECT_EQ(contents(dir_ / "back.dat").substr(50, 984), contents(data).substr(50, 984));
}

// The trace's TX lines are the frames the radio logged, one for one; a failed
// transfer still leaves its trace, ending in what the radio last said, and leaves the
// output file alone.
TEST_F(HxtoolTest, TheTraceListsTheFramesTheRadioReceived) {
    const auto data = encodeExample();
    const fs::path trace = dir_ / "trace.txt";
    put("trace.txt", "an older trace");
    {
        EmulatorProcess sim({"--fast", "--log", (dir_ / "frames.log").string()});
        ASSERT_EQ(runShipped(RunWrite,
                             {data.string(), "--port", sim.device(), "--trace", trace.string()}),
                  0)
            << err_.str();
    }
    const auto traced = FileLines(trace);
    ASSERT_GT(traced.size(), 2u);
    EXPECT_TRUE(traced[0].starts_with("hxtool write on /dev/")) << traced[0];
    std::vector<std::string> sent;
    for (const auto& line : traced)
        if (line.substr(10, 2) == "TX")
            sent.push_back(line.substr(49));
    EXPECT_EQ(sent, FileLines(dir_ / "frames.log"));

    put("kept.dat", "old");
    EmulatorProcess sim({"--fast", "--short-reply-at", "5"});
    EXPECT_EQ(runShipped(RunRead, {"--port", sim.device(), "-o", (dir_ / "kept.dat").string(),
                                   "--trace", trace.string()}),
              kExitFailure);
    EXPECT_EQ(err_.str(), "hxtool read: no valid answer to the read request of block 5\n")
        << "one line, no progress bar to end";
    EXPECT_EQ(contents(dir_ / "kept.dat"), "old");
    const auto failed = FileLines(trace);
    EXPECT_TRUE(failed[failed.size() - 2].ends_with("(cleared)")) << failed[failed.size() - 2];
    EXPECT_EQ(failed.back(), "outcome: no valid answer to the read request of block 5");
    EXPECT_EQ(runShipped(RunRead, {"--port", sim.device(), "-o", (dir_ / "back.dat").string(),
                                   "--trace", dir_.string()}),
              kExitFailure);
    EXPECT_EQ(err_.str(), "hxtool read: " + dir_.string() + ": is a folder, not a file\n");
}

TEST_F(HxtoolTest, OutputGoesThroughLinksAndNeverReplacesWhatIsNoFile) {
    const auto json = put("plug.json", kExample);
    auto encode = [&](const fs::path& output) {
        return runShipped(RunEncode, {json.string(), "-o", output.string()});
    };
    put("real.dat", "old");
    fs::create_symlink("real.dat", dir_ / "link.dat");
    fs::create_hard_link(dir_ / "real.dat", dir_ / "second-name.dat");
    ASSERT_EQ(encode(dir_ / "link.dat"), kExitSuccess) << err_.str();
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.dat"));
    EXPECT_EQ(contents(dir_ / "real.dat").size(), 1074u);
    EXPECT_TRUE(fs::equivalent(dir_ / "real.dat", dir_ / "second-name.dat"));

    fs::create_directories(dir_ / "folder.dat");
    EXPECT_EQ(encode(dir_ / "folder.dat"), kExitFailure);
    EXPECT_EQ(err_.str(),
              "hxtool encode: " + (dir_ / "folder.dat").string() + ": is a folder, not a file\n");
}

TEST_F(HxtoolTest, APortNameThatNamesNoDeviceListsThePorts) {
    for (const std::string name : {"COM0", "COM99", ""}) {
        err_.str("");
        EXPECT_EQ(runShipped(RunRead, {"--port", name, "-o", (dir_ / "out.dat").string()}),
                  kExitFailure);
        const std::string said = err_.str();
        const std::string start =
            "hxtool read: " + (name.empty() ? "no port named" : name + " names no device") +
            "; the ports are COM1 to COM16 (";
        EXPECT_EQ(said.substr(0, start.size()), start) << said;
        EXPECT_TRUE(said.ends_with("), or give a device path\n")) << said;
        EXPECT_FALSE(fs::exists(dir_ / "out.dat"));
    }
}

TEST_F(HxtoolTest, ReadChecksItsOutputFirstAndRescuesWhatItCouldNotSave) {
    fs::create_directories(dir_ / "out");
    EXPECT_EQ(
        runShipped(RunRead, {"--port", "/dev/nonexistent-tty", "-o", (dir_ / "out").string()}),
        kExitFailure);
    EXPECT_EQ(err_.str(),
              "hxtool read: " + (dir_ / "out").string() + ": is a folder, not a file\n");

    hx::MemoryImage image;
    image.fill(0x5A);
    std::ostringstream err;
    EXPECT_EQ(SaveReadImage(image, dir_ / "out", dir_ / "Data", err), kExitFailure);
    ASSERT_EQ(std::distance(fs::directory_iterator(dir_ / "Data"), {}), 1);
    const fs::path rescue = fs::directory_iterator(dir_ / "Data")->path();
    EXPECT_EQ(contents(rescue), std::string(1074, '\x5A'));
    EXPECT_EQ(err.str(), "hxtool read: " + (dir_ / "out").string() +
                             ": is a folder, not a file\nhxtool read: the data read from the "
                             "radio is kept in " +
                             rescue.string() + "\n");
}

TEST_F(HxtoolTest, IntegerFieldsTakeOnlyWholeNumbersInTheirRange) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"model":4294974496})", R"("model" must be 7100, 7200 or 7400)"},
        {R"({"model":7200.5})", R"("model" must be 7100, 7200 or 7400)"},
        {R"({"subModel":1e300})", R"("subModel" must be a whole number from -1 to 6)"},
        {R"({"functions":{"Sql":-1e300}})",
         R"("functions": "Sql" must be a whole number from -1 to 255)"},
        {R"({"channels":[{"channel":18446744073709551616}]})",
         R"("channel" must be a whole number from 1 to 16)"},
        {R"({"channels":[{"channel":1,"RxFrequency":446,"TxTone":2147483648}]})",
         R"(channel 1: "TxTone" must be a whole number from -1 to 205)"},
        {R"({"channels":[{"channel":2,"RxFrequency":446,"Shift":2}]})",
         R"(channel 2: "Shift" must be a whole number from -1 to 1)"},
        {R"({"channels":[{"channel":3,"RxFrequency":1e300}]})",
         R"(channel 3: "RxFrequency" must be -1 (none) or a frequency from 100 to below 999 MHz)"},
        {R"({"channels":[{"channel":4,"RxFrequency":446,"TxFrequency":"446"}]})",
         R"(channel 4: "TxFrequency" must be -1 (none) or a frequency from 100 to below 999 MHz)"},
    };
    expectEncodeRefused(cases);
    const auto output = dir_ / "o.dat";
    const auto edges = put("edges.json", R"({"model":7200,"subModel":2,"functions":{"Sql":9},)"
                                         R"("channels":[{"channel":16.0,"RxFrequency":446,)"
                                         R"("TxTone":204.0,"RxTone":-1,"Shift":1}]})");
    EXPECT_EQ(runShipped(RunEncode, {edges.string(), "-o", output.string()}), kExitSuccess)
        << err_.str();
}

// Values inside the JSON ranges that the model series still cannot hold would reach the
// image as another setting; they are refused naming the series.
TEST_F(HxtoolTest, ValuesTheModelSeriesCannotHoldAreRefused) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"model":7200,"subModel":3})",
         R"("subModel" must be a whole number from -1 to 2 for the HX7200 series)"},
        {R"({"model":7100,"functions":{"Sql":9}})",
         R"("functions": "Sql" must be a whole number from -1 to 8 for the HX7100 series)"},
        {R"({"model":7200,"functions":{"MoniKey":4}})",
         R"("functions": "MoniKey" must be a whole number from -1 to 3 for the HX7200 series)"},
        {R"({"model":7100,"channels":[{"channel":2,"RxFrequency":446,"RxTone":40}]})",
         R"(channel 2: "RxTone" must be a whole number from -1 to 39 for the HX7100 series)"},
        {R"({"model":7400,"channels":[{"channel":1,"RxFrequency":446,"TxTone":205}]})",
         R"(channel 1: "TxTone" must be a whole number from -1 to 204 for the HX7400 series)"},
    };
    expectEncodeRefused(cases);

    // A position the tone file leaves without a code is in range; the code is what lacks.
    fs::copy(kShippedSettings, dir_ / "Setting");
    std::string tones = contents(dir_ / "Setting/QTDQT_7100.ini");
    tones.replace(tones.find("\n12=0974"), 8, "\n12=");
    put("Setting/QTDQT_7100.ini", tones);
    const std::pair<const char*, const char*> uncoded[] = {
        {R"({"model":7100,"channels":[{"channel":2,"RxFrequency":446,"RxTone":12}]})",
         R"(channel 2: "RxTone" 12 has no tone code in QTDQT_7100.ini)"}};
    expectEncodeRefused(uncoded, dir_ / "Setting");
}

// No command writes over what it reads, named alike or reached through a link.
TEST_F(HxtoolTest, OutputNamingTheInputIsRefused) {
    const auto data = encodeExample();
    const auto json = dir_ / "plug.json";
    const auto plan = dir_ / "plan.csv";
    ASSERT_EQ(runShipped(RunExport, {data.string(), "-o", plan.string()}), 0);
    fs::create_symlink("plug.json", dir_ / "alias.dat");
    fs::create_hard_link(data, dir_ / "hard-link.csv");
    fs::create_symlink("plan.csv", dir_ / "alias-plan.dat");
    const struct {
        int (*command)(const Invocation&);
        std::string name;
        fs::path input, output;
    } cases[] = {
        {RunEncode, "encode", json, json},
        {RunEncode, "encode", json, dir_ / "alias.dat"},
        {RunExport, "export", data, data},
        {RunExport, "export", data, dir_ / "hard-link.csv"},
        {RunImport, "import", plan, plan},
        {RunImport, "import", plan, dir_ / "alias-plan.dat"},
        {RunCard, "card", data, dir_ / "hard-link.csv"},
    };
    for (const auto& c : cases) {
        const std::string before = contents(c.input);
        EXPECT_EQ(runShipped(c.command, {c.input.string(), "-o", c.output.string()}), kExitFailure)
            << c.name;
        EXPECT_EQ(err_.str(), "hxtool " + c.name + ": -o " + c.output.string() +
                                  ": is the input file; name another\n");
        EXPECT_EQ(contents(c.input), before) << c.name;
    }
}

TEST_F(HxtoolTest, FifosAreRefusedWithoutWaiting) {
    const auto fifo = dir_ / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const auto json = put("plug.json", kExample);
    const std::vector<std::pair<int (*)(const Invocation&), std::vector<std::string>>> commands = {
        {RunDecode, {fifo.string()}},
        {RunWrite, {fifo.string(), "--port", "/dev/nonexistent-tty"}},
        {RunEncode, {fifo.string(), "-o", (dir_ / "o.dat").string()}},
        {RunEncode, {json.string(), "-o", fifo.string()}},
        {RunRead, {"--port", "/dev/nonexistent-tty", "-o", fifo.string()}},
    };
    for (const auto& [command, args] : commands) {
        EXPECT_EQ(runShipped(command, args), kExitFailure) << args.front();
        EXPECT_NE(err_.str().find(fifo.string() + ": is a FIFO (named pipe), not a file"),
                  std::string::npos)
            << err_.str();
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(HxtoolTest, AMistypedSettingsFolderIsAnError) {
    const auto data = put("blank.dat", std::string(1074, '\xFF'));
    const auto json = put("plug.json", kExample);
    const std::string typo = (dir_ / "Settngs").string();
    EXPECT_EQ(run(RunDecode, {data.string(), "--settings", typo}), kExitUsage);
    EXPECT_EQ(err_.str(), "hxtool decode: --settings " + typo + ": no such folder\n");
    EXPECT_EQ(run(RunEncode, {json.string(), "-o", (dir_ / "o.dat").string(), "--settings", typo}),
              kExitUsage);
    EXPECT_FALSE(fs::exists(dir_ / "o.dat"));

    const fs::path partial = dir_ / "Partial";
    fs::create_directories(partial);
    EXPECT_EQ(run(RunDecode, {data.string(), "--settings", partial.string()}), kExitFailure);
    EXPECT_EQ(err_.str(), "hxtool decode: " + (partial / "Config_7200.ini").string() +
                              ": the profile of model 7200 is missing\n");
    fs::copy(kShippedSettings / "Config_7100.ini", partial);
    EXPECT_EQ(run(RunDecode, {data.string(), "--settings", partial.string(), "--model", "7100"}),
              kExitFailure);
    EXPECT_EQ(err_.str(), "hxtool decode: " + (partial / "QTDQT_7100.ini").string() +
                              ": the tone table of model 7100 is missing\n");
}

// The installed program lies in bin with its Setting files in share/hxprog, and a
// fresh user has no folder of their own yet: a plain decode still finds the settings.
TEST_F(HxtoolTest, AnInstalledCopyUsesThePerUserFolderSeededFromShare) {
    fs::create_directories(dir_ / "usr/bin");
    fs::copy_file(fs::path(HX_BINARY_DIR) / "hxtool", dir_ / "usr/bin/hxtool");
    fs::create_directories(dir_ / "usr/share/hxprog");
    fs::copy(kShippedSettings, dir_ / "usr/share/hxprog/Setting");
    const auto data = put("blank.dat", std::string(1074, '\xFF'));
    const fs::path home = dir_ / "home";
    const std::string command = "env -u XDG_DATA_HOME HOME=" + home.string() + " " +
                                (dir_ / "usr/bin/hxtool").string() + " decode " + data.string() +
                                " > " + (dir_ / "out.txt").string() + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << contents(dir_ / "out.txt");
    EXPECT_NE(contents(dir_ / "out.txt").find("Model HX7200"), std::string::npos)
        << contents(dir_ / "out.txt");
    EXPECT_TRUE(fs::exists(home / ".local/share/hxprog/Setting/ParaConfig.ini"));
    EXPECT_FALSE(fs::exists(dir_ / "usr/bin/Setting"));
}

// The doctor on a fake system: what the user reads, and the exit status scripts test.
TEST_F(HxtoolTest, DoctorExplainsAPortThisUserMayNotOpen) {
    fs::copy(kShippedSettings, dir_ / "Setting");
    hx::FakeSystem system(dir_ / "root");
    hx::FakeSystem::UsbAdapter adapter;
    adapter.byId = "usb-FTDI_FT232R_USB_UART_A10K-if00-port0";
    system.plugUsb("ttyUSB0", adapter);
    const auto doctor = [&](std::vector<std::string> args, std::vector<unsigned> groups) {
        out_.str("");
        err_.str("");
        return RunDoctor({std::move(args), dir_, out_, err_, system.viewAs(std::move(groups))});
    };

    EXPECT_EQ(doctor({}, {12345}), kExitFailure) << "the window's port, COM1, in English";
    EXPECT_EQ(out_.str(),
              "Serial devices:\n"
              "  COM1  /dev/ttyUSB0  0403:6001 FTDI FT232R USB UART (ftdi_sio)  "
              "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K-if00-port0\n"
              "\n"
              "Checks of COM1:\n"
              "  [ok] COM1 (/dev/ttyUSB0) is present.\n"
              "  [problem] You may not open /dev/ttyUSB0 (group dialout, mode 0660).\n"
              "      -> Run sudo usermod -aG dialout $USER, then log out and in again.\n"
              "  [ok] No other program holds /dev/ttyUSB0.\n"
              "  [note] The adapter's latency timer is 16 ms; 1 ms makes transfers "
              "steadier.\n"
              "      -> echo 1 | sudo tee /sys/bus/usb-serial/devices/ttyUSB0/"
              "latency_timer (until the adapter is plugged in again)\n"
              "  [ok] brltty is not installed and ModemManager is not running.\n");

    EXPECT_EQ(doctor({"--port", "/dev/ttyUSB0", "--lang", "zh"}, {hx::FakeSystem::Group()}),
              kExitSuccess)
        << out_.str();
    EXPECT_NE(out_.str().find("[正常] 你可以打开 /dev/ttyUSB0。"), std::string::npos);
    EXPECT_EQ(doctor({"--port", "COM2"}, {hx::FakeSystem::Group()}), kExitFailure);
    EXPECT_EQ(doctor({"--lang", "fr"}, {}), kExitUsage);
    EXPECT_EQ(err_.str(), "hxtool doctor: --lang must be en or zh, not 'fr'\n");
    const std::string typo = (dir_ / "Settngs").string();
    EXPECT_EQ(doctor({"--settings", typo}, {hx::FakeSystem::Group()}), kExitUsage);
    EXPECT_EQ(err_.str(), "hxtool doctor: --settings " + typo + ": no such folder\n");
    EXPECT_EQ(out_.str(), "");
}

// The text poppler extracts from a PDF.
std::string PdfText(const fs::path& pdf) {
    const std::string command = "pdftotext '" + pdf.string() + "' -";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::string text;
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get()))
        text += buffer;
    return text;
}

// The card speaks the window's language unless told otherwise, and never takes the
// place of its data file.
TEST_F(HxtoolTest, CardWritesThePdfInTheWindowsLanguage) {
    fs::copy(kShippedSettings, dir_ / "Setting");
    std::ofstream(dir_ / "Setting/Config_7200.ini", std::ios::app) << "\n[Setting]\nLanguage=1\n";
    const auto data = dir_ / "radio.dat";
    ASSERT_EQ(run(RunEncode, {put("plug.json", kExample).string(), "-o", data.string()}), 0);
    const auto pdf = dir_ / "card.pdf";
    ASSERT_EQ(run(RunCard, {data.string(), "-o", pdf.string(), "--paper", "letter"}), 0)
        << err_.str();
    EXPECT_NE(PdfText(pdf).find("信道表"), std::string::npos) << PdfText(pdf);
    ASSERT_EQ(run(RunCard, {data.string(), "-o", pdf.string(), "--lang", "en"}), 0);
    const std::string english = PdfText(pdf);
    for (const char* expected : {"Channel Card", "446.00625", "71.9"})
        EXPECT_NE(english.find(expected), std::string::npos) << english;

    const std::string image = contents(data);
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{data.string(), "-o", pdf.string(), "--paper", "a3"},
         "--paper must be a4 or letter, not 'a3'"},
        {{data.string(), "-o", pdf.string(), "--paper"}, "--paper needs a value"},
        {{data.string()}, "-o FILE is required"},
        {{data.string(), "-o", data.string()},
         "-o " + data.string() + ": is the input file; name another"},
    };
    for (const auto& [args, complaint] : refused) {
        EXPECT_NE(run(RunCard, args), kExitSuccess);
        EXPECT_EQ(err_.str(), "hxtool card: " + complaint + "\n");
    }
    EXPECT_EQ(contents(data), image);
    EXPECT_EQ(run(RunCard, {data.string(), "-o", (dir_ / "no-folder/card.pdf").string()}),
              kExitFailure);
    EXPECT_NE(err_.str().find((dir_ / "no-folder/card.pdf").string()), std::string::npos);
}

// The installed hxtool on a clean standard error, as a script runs it: the paper
// follows LC_PAPER (en_US says Letter) and Qt's complaint of a missing runtime folder
// stays away. The allocator fills what it hands out, so that a read of more of the
// locale's paper width than the locale sets cannot pass by luck.
TEST_F(HxtoolTest, CardTakesThePaperOfTheLocale) {
    const fs::path locales = dir_ / "locales";
    fs::create_directories(locales);
    ASSERT_EQ(std::system(("localedef -i en_US -f UTF-8 " + (locales / "en_US.UTF-8").string() +
                           " > /dev/null 2>&1")
                              .c_str()),
              0);
    const auto data = encodeExample();
    const auto pdf = dir_ / "card.pdf";
    const std::pair<std::string, std::string> cases[] = {
        {"LOCPATH=" + locales.string() + " LC_ALL=en_US.UTF-8",
         "/MediaBox [0 0 612.000000 792.000000]"},
        {"LC_ALL=C.UTF-8", "/MediaBox [0 0 595.000000 842.000000]"},
    };
    for (const auto& [locale, mediaBox] : cases) {
        // glibc keeps what it loaded from LOCPATH for the life of the process, which a
        // sanitized hxtool would report as a leak on stderr.
        const std::string command =
            "env -u XDG_RUNTIME_DIR MALLOC_PERTURB_=165 "
            "ASAN_OPTIONS=detect_leaks=0 " +
            locale + " " + HX_BINARY_DIR + "/hxtool card " + data.string() + " -o " + pdf.string() +
            " --settings " + kShippedSettings.string() + " 2> " + (dir_ / "err.txt").string();
        EXPECT_EQ(std::system(command.c_str()), 0) << locale;
        EXPECT_EQ(contents(dir_ / "err.txt"), "") << locale;
        EXPECT_NE(contents(pdf).find(mediaBox), std::string::npos) << locale;
    }
}

} // namespace
} // namespace hxtool
