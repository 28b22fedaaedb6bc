#pragma once

#include <array>

namespace hx {

inline constexpr int kChannelCount = 16;
inline constexpr int kFieldCount = 8;
// A field holding this value is not set.
inline constexpr double EmptyValue = -1.0;

enum class Field : int {
    RxFrequency = 0, // MHz
    TxFrequency = 1, // MHz, EmptyValue = no transmit frequency
    RxTone = 2,      // position in the tone table, 0 = no tone
    TxTone = 3,
    BusyLockout = 4, // 1 on, 0 off
    Shift = 5,       // 1 on, 0 off
    Reserved6 = 6,
    Reserved7 = 7,
};

// Index of the channel table cell that shows channel `channel` (0-15), field `field`.
constexpr int CellIndex(Field field, int channel) {
    return (static_cast<int>(field) + 1) * 1000 + channel;
}

// 16 channels by 8 fields, stored field-major as the radio tool always has.
class ChannelTable {
public:
    ChannelTable() { clear(); }

    double value(int channel, Field field) const { return values_[index(channel, field)]; }
    void setValue(int channel, Field field, double v) { values_[index(channel, field)] = v; }

    bool inUse(int channel) const { return value(channel, Field::RxFrequency) != EmptyValue; }
    void clearChannel(int channel) {
        for (int f = 0; f < kFieldCount; ++f)
            setValue(channel, static_cast<Field>(f), EmptyValue);
    }
    // Every field of every channel empty.
    void clear() { values_.fill(EmptyValue); }

    bool operator==(const ChannelTable&) const = default;

private:
    static constexpr int index(int channel, Field field) {
        return static_cast<int>(field) * kChannelCount + channel;
    }
    std::array<double, kChannelCount * kFieldCount> values_{};
};

// The six function-setting lists of the radio, in the order their defaults are applied.
enum class FunctionSetting : int {
    MonitorKey,
    TimeOutTimer,
    SquelchLevel,
    BatterySave,
    BeepTone,
    WideNarrow
};
inline constexpr int kFunctionSettingCount = 6;

// One list position per function setting; -1 = no selection.
class FunctionPositions {
public:
    FunctionPositions() { positions_.fill(-1); }
    int operator[](FunctionSetting s) const { return positions_[static_cast<int>(s)]; }
    int& operator[](FunctionSetting s) { return positions_[static_cast<int>(s)]; }
    bool operator==(const FunctionPositions&) const = default;

private:
    std::array<int, kFunctionSettingCount> positions_{};
};

// The working data set: what the user edits and what goes into the radio.
struct CodePlug {
    ChannelTable channels;
    FunctionPositions functions;
    bool modified = false; // differs from what was last saved or loaded
};

} // namespace hx
