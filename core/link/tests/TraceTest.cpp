#include "core/link/Trace.h"

#include "core/emulator/RadioEmulator.h"
#include "core/testsupport/TestFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace hx {
namespace {

// The radio emulator behind a port, in the same process: a send reaches the radio at
// once and its answer waits to be taken.
class EmulatedPort : public SerialPort {
public:
    explicit EmulatedPort(const hxsim::Faults& faults = {}) : radio_(Blank(), faults) {}

    std::vector<std::uint8_t> heard; // every byte the radio received

    void setBinaryMode() override {}
    void discardOutput() override {}
    void send(std::span<const std::uint8_t> bytes) override {
        heard.insert(heard.end(), bytes.begin(), bytes.end());
        const auto answer = radio_.receive(bytes);
        waiting_.insert(waiting_.end(), answer.reply.begin(), answer.reply.end());
    }
    void discardInput() override { waiting_.clear(); }
    std::size_t waitingCount() override { return waiting_.size(); }
    std::vector<std::uint8_t> takeAll() override { return std::exchange(waiting_, {}); }
    void waitForInput(std::chrono::microseconds) override {}

private:
    static hxsim::RadioMemory Blank() {
        hxsim::RadioMemory memory;
        memory.fill(0xFF);
        return memory;
    }
    hxsim::RadioEmulator radio_;
    std::vector<std::uint8_t> waiting_;
};

struct Line {
    double seconds;
    std::string direction, step, bytes;
};

// The trace's unit lines, split at their columns.
std::vector<Line> Units(const std::string& text) {
    std::vector<Line> lines;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line); // the heading
    std::getline(in, line); // the column names
    while (std::getline(in, line) && !line.starts_with("outcome: ")) {
        EXPECT_GT(line.size(), 49u) << line;
        auto step = line.substr(15, 32);
        step.erase(step.find_last_not_of(' ') + 1);
        lines.push_back({std::stod(line.substr(0, 8)), line.substr(10, 2), step, line.substr(49)});
    }
    return lines;
}

std::vector<std::uint8_t> Bytes(const std::string& hex) {
    std::vector<std::uint8_t> bytes;
    std::istringstream in(hex);
    for (unsigned value; in >> std::hex >> value;)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

MemoryImage Pattern() {
    MemoryImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}

// The trace holds exactly the bytes the radio heard, in order, and the radio hears
// the same with the trace as without it; each unit names its step, and time only
// goes forward.
TEST(Trace, ListsExactlyTheBytesOnTheWireWithTheirSteps) {
    for (const bool write : {true, false}) {
        SCOPED_TRACE(write ? "write" : "read");
        const auto run = [&](SerialPort& port) {
            return write ? WriteRadio(port, Pattern(), {}).has_value()
                         : std::holds_alternative<LinkFailure>(ReadRadio(port, Pattern(), {}));
        };
        EmulatedPort plain;
        ASSERT_FALSE(run(plain));
        EmulatedPort port;
        TracedPort trace(port, "test");
        ASSERT_FALSE(run(trace));
        trace.end(TraceOutcome(std::nullopt));
        EXPECT_EQ(port.heard, plain.heard);
        EXPECT_TRUE(trace.text().ends_with("\noutcome: success\n"));

        const auto units = Units(trace.text());
        std::vector<std::uint8_t> sent;
        double last = 0;
        for (const Line& unit : units) {
            EXPECT_GE(unit.seconds, last) << unit.step;
            last = unit.seconds;
            if (unit.direction == "TX") {
                const auto bytes = Bytes(unit.bytes);
                sent.insert(sent.end(), bytes.begin(), bytes.end());
            }
        }
        EXPECT_EQ(sent, port.heard);
        ASSERT_GE(units.size(), 5u);
        EXPECT_EQ(units[0].step, "lead code");
        EXPECT_EQ(units[0].bytes, "02 50 52 4F 47 52 41 4D");
        EXPECT_EQ(units[1].direction + " " + units[1].step + " " + units[1].bytes,
                  "RX lead code 06");
        // The identity is waited for, not read: it is noted as the port clears it.
        EXPECT_EQ(units[3].direction + " " + units[3].step + " " + units[3].bytes,
                  "RX identity request 48 58 37 32 30 30 01 00  (cleared)");
        if (write) {
            EXPECT_EQ(units.size(), 4u + 2 * (1 + 123));
            EXPECT_EQ(units[units.size() - 2].step, "write frame of block 122");
            EXPECT_EQ(units[units.size() - 2].bytes.substr(0, 11), "57 03 D0 08");
        } else {
            // The emulator answers the last acknowledgement too; nothing reads it.
            ASSERT_EQ(units.size(), 4u + 4 * 128 + 2);
            EXPECT_EQ(units[4 + 4 * 127].step, "acknowledgement before block 127");
            EXPECT_EQ(units[4 + 4 * 127 + 3].step, "read request of block 127");
            EXPECT_EQ(units[units.size() - 2].direction + " " + units[units.size() - 2].step,
                      "TX end of read");
            EXPECT_EQ(units.back().bytes, "06  (left unread)");
        }
    }
}

// What came too short is still in the trace, cleared as the failing step's, and the
// trace ends in the failure with its step.
TEST(Trace, AFailedStepShowsItsBytesAndEndsInItsFailure) {
    hxsim::Faults faults;
    faults.shortReplyAtBlock = 10;
    EmulatedPort port(faults);
    TracedPort trace(port, "hxtool read on /dev/ttyUSB0");
    const auto result = ReadRadio(trace, Pattern(), {}, kLeastPatience);
    ASSERT_TRUE(std::holds_alternative<LinkFailure>(result));
    trace.end(TraceOutcome(std::get<LinkFailure>(result)));
    const std::string text = trace.text();
    EXPECT_TRUE(text.starts_with("hxtool read on /dev/ttyUSB0, 20")) << text.substr(0, 60);
    const auto units = Units(text);
    EXPECT_EQ(units.back().direction + " " + units.back().step + " " + units.back().bytes,
              "RX read request of block 10 57 00 50 08 FF FF FF FF FF FF FF  (cleared)");
    EXPECT_TRUE(text.ends_with("\noutcome: no valid answer to the read request of block 10\n"))
        << text;
}

TEST(Trace, NewFilesNeverReplaceAnEarlierTrace) {
    TestFolder folder("hx_trace");
    const auto now = std::chrono::system_clock::now();
    const auto first = std::get<std::filesystem::path>(NewTraceFile(folder.path(), now));
    EXPECT_EQ(first.filename().string().size(), std::string("trace-20261207-163000.txt").size());
    const auto second = std::get<std::filesystem::path>(NewTraceFile(folder.path(), now));
    EXPECT_EQ(second.stem().string(), first.stem().string() + "-2"); // the first is claimed
    EXPECT_TRUE(std::holds_alternative<FileError>(NewTraceFile(first / "not-a-folder", now)));
}

} // namespace
} // namespace hx
