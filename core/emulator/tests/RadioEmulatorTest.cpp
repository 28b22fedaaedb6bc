#include "core/emulator/RadioEmulator.h"

#include <gtest/gtest.h>

namespace hxsim {
namespace {

const std::vector<std::uint8_t> kLead = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};

TEST(RadioEmulator, AnswersTheProgrammingSequence) {
    RadioMemory memory;
    memory.fill(0xFF);
    RadioEmulator radio(memory, {});
    EXPECT_EQ(radio.receive(kLead).reply, std::vector<std::uint8_t>{0x06});
    EXPECT_EQ(radio.receive(std::vector<std::uint8_t>{0x02}).reply.size(), 8u);
    const std::vector<std::uint8_t> frame = {'W', 0x01, 0x08, 8, 1, 2, 3, 4, 5, 6, 7, 8};
    const auto written = radio.receive(frame);
    EXPECT_TRUE(written.memoryChanged);
    EXPECT_EQ(written.reply, std::vector<std::uint8_t>{0x06});
    EXPECT_EQ(radio.memory()[264], 1);
    // A request split over two reads is answered once complete.
    EXPECT_TRUE(radio.receive(std::vector<std::uint8_t>{'R', 0x01}).reply.empty());
    const auto reply = radio.receive(std::vector<std::uint8_t>{0x08, 8}).reply;
    EXPECT_EQ(reply, (std::vector<std::uint8_t>{'W', 1, 8, 8, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(RadioEmulator, FaultsChangeOnlyTheirAnswer) {
    RadioMemory memory{};
    Faults faults;
    faults.shortReplyAtBlock = 2;
    faults.noAckFromBlock = 5;
    faults.hangUpBeforeBlock = 6;
    RadioEmulator radio(memory, faults);
    radio.receive(kLead);
    EXPECT_EQ(radio.receive(std::vector<std::uint8_t>{'R', 0, 8, 8}).reply.size(), 12u);
    EXPECT_EQ(radio.receive(std::vector<std::uint8_t>{'R', 0, 16, 8}).reply.size(), 11u);
    EXPECT_EQ(radio.receive(std::vector<std::uint8_t>{0x06}).reply.size(), 1u);
    radio.receive(std::vector<std::uint8_t>{'R', 0, 32, 8}); // block 4
    EXPECT_EQ(radio.receive(std::vector<std::uint8_t>{0x06}).reply.size(), 0u) << "from block 5";
    EXPECT_FALSE(radio.receive(std::vector<std::uint8_t>{0x06}).hangUp);
    radio.receive(std::vector<std::uint8_t>{'R', 0, 40, 8}); // block 5
    EXPECT_TRUE(radio.receive(std::vector<std::uint8_t>{0x06}).hangUp) << "before block 6";
}

// The radio acknowledges the frame as usual; only the read-back shows the wrong byte,
// and no other byte of the block or the memory changes.
TEST(RadioEmulator, ACorruptByteIsAcknowledgedAndReadBackWrong) {
    const std::vector<std::uint8_t> frame = {'W', 0x00, 0x10, 8, 1, 2, 3, 4, 5, 6, 7, 8};
    const std::vector<std::uint8_t> request = {'R', 0x00, 0x10, 8};
    for (const auto& [corrupt, stored] :
         {std::pair{CorruptByte{0x13, std::nullopt}, std::uint8_t{5}},
          std::pair{CorruptByte{0x13, 0xA5}, std::uint8_t{0xA5}}}) {
        RadioMemory memory;
        memory.fill(0xFF);
        RadioEmulator radio(memory, Faults{.corrupt = corrupt});
        radio.receive(kLead);
        EXPECT_EQ(radio.receive(frame).reply, std::vector<std::uint8_t>{0x06});
        const auto reply = radio.receive(request).reply;
        EXPECT_EQ(reply, (std::vector<std::uint8_t>{'W', 0, 0x10, 8, 1, 2, 3, stored, 5, 6, 7, 8}));
        auto expected = memory;
        std::copy(frame.begin() + 4, frame.end(), expected.begin() + 0x10);
        expected[0x13] = stored;
        EXPECT_EQ(radio.memory(), expected);
    }
    // A frame of another block leaves the fault's address alone.
    RadioMemory memory{};
    RadioEmulator radio(memory, Faults{.corrupt = CorruptByte{0x18, std::nullopt}});
    radio.receive(kLead);
    radio.receive(frame);
    EXPECT_EQ(radio.memory()[0x18], 0);
}

} // namespace
} // namespace hxsim
