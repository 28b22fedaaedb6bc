#include "core/codeplug/PlugHistory.h"

#include <gtest/gtest.h>
#include <set>

namespace hx {
namespace {

PlugSnapshot WithChannel(int channel, double rx) {
    PlugSnapshot s;
    s.channels.setValue(channel, Field::RxFrequency, rx);
    return s;
}

// Three steps from an empty plug: channel 1, channel 2, then a paste of both.
class PlugHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        history.push({EditKind::StoreChannel, 1, empty, one});
        history.push({EditKind::StoreChannel, 1, one, two});
        history.push({EditKind::PasteChannels, 4, two, pasted});
    }
    PlugSnapshot empty;
    PlugSnapshot one = WithChannel(0, 450.0);
    PlugSnapshot two = WithChannel(1, 451.0);
    PlugSnapshot pasted = WithChannel(2, 452.0);
    PlugHistory history;
};

TEST_F(PlugHistoryTest, UndoAndRedoWalkTheSnapshotsBothWays) {
    EXPECT_EQ(history.undo(), two);
    EXPECT_EQ(history.undo(), one);
    EXPECT_EQ(history.undo(), empty);
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(history.undo(), std::nullopt);
    EXPECT_EQ(history.redo(), one);
    EXPECT_EQ(history.redo(), two);
    EXPECT_EQ(history.redo(), pasted);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.redo(), std::nullopt);
}

TEST_F(PlugHistoryTest, PushAfterUndoDropsWhatWasUndone) {
    history.undo();
    history.undo();
    const PlugSnapshot other = WithChannel(5, 460.0);
    history.push({EditKind::DeleteChannel, 1, one, other});
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undo(), one);
    EXPECT_EQ(history.undo(), empty);
    EXPECT_FALSE(history.canUndo());
}

TEST_F(PlugHistoryTest, AStepThatChangesNothingIsNoStep) {
    history.push({EditKind::StoreChannel, 1, pasted, pasted});
    EXPECT_EQ(history.undo(), two);
}

TEST_F(PlugHistoryTest, CleanFollowsThePositionLastSaved) {
    history.markClean();
    EXPECT_TRUE(history.isClean());
    history.undo();
    EXPECT_FALSE(history.isClean());
    history.redo();
    EXPECT_TRUE(history.isClean());
    // Undone past the saved position, then changed otherwise: nothing returns to it.
    history.undo();
    history.push({EditKind::ClearAllChannels, 16, two, empty});
    EXPECT_FALSE(history.isClean());
    history.undo();
    EXPECT_FALSE(history.isClean());
    history.clear();
    EXPECT_TRUE(history.isClean());
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
}

TEST_F(PlugHistoryTest, MenuTextsNameTheStepInBothLanguages) {
    EXPECT_EQ(history.undoText(Language::English), "&Undo Paste 4 Channels");
    EXPECT_EQ(history.undoText(Language::Chinese), "撤销 粘贴 4 个信道(&U)");
    EXPECT_EQ(history.redoText(Language::English), "&Redo");
    history.undo();
    EXPECT_EQ(history.redoText(Language::English), "&Redo Paste 4 Channels");
    EXPECT_EQ(history.undoText(Language::English), "&Undo Store Channel");
    EXPECT_EQ(EditStepName(EditKind::MoveChannels, 1, Language::English), "Move Channel");
    EXPECT_EQ(EditStepName(EditKind::ClearChannels, 3, Language::Chinese), "清除 3 个信道");
    // Every kind has a name of its own in each language.
    for (const Language language : {Language::Chinese, Language::English}) {
        std::set<std::string> names;
        for (int k = 0; k <= static_cast<int>(EditKind::NewDataSet); ++k)
            names.insert(EditStepName(static_cast<EditKind>(k), 2, language));
        EXPECT_EQ(names.size(), static_cast<std::size_t>(EditKind::NewDataSet) + 1);
    }
}

} // namespace
} // namespace hx
