#pragma once

#include "core/codeplug/CodePlug.h"
#include "core/codeplug/FrequencyCheck.h"
#include "core/image/MemoryImage.h"
#include "core/model/ModelFiles.h"
#include "core/settings/UserSettings.h"
#include "core/texts/Language.h"
#include "core/texts/Texts.h"

#include <filesystem>
#include <string>

namespace hx {

// Where the data set in the window came from, which decides where Save puts it.
enum class DataOrigin {
    New,    // a new data set or the start: no file of the user's yet
    Opened, // opened from a file
    Saved,  // written into a file of the user's choice
};

// The state the main window holds for the whole run; the areas share it.
struct WindowState {
    std::filesystem::path appFolder;
    int modelCode = kDefaultModelCode;
    ModelData model;

    Language language = Language::Chinese;
    SettingColours colours;
    bool bandCheckOn = true;
    bool marksOutOfBand = true; // an out-of-band frequency is kept and marked
    bool notLimitedModel = false;
    int portNumber = 1;
    std::string currentDataFile;

    CodePlug plug;
    MemoryImage image = BlankImage();
    int currentChannel = 0;
    int selectedRow = 0;
    int selectedSubModel = 0;
    std::string bandLabelText;

    bool startupInProgress = false;
    bool readyForFocus = false;
    bool silentSubModelChange = false;
    DataOrigin origin = DataOrigin::New;

    std::string text(Text t) const { return std::string(TextOf(t).in(language)); }

    // The band of the selected sub-model, as the frequency checks need it.
    BandContext band() const {
        const int s = selectedSubModel;
        const auto& p = model.profile;
        if (s < 0 || s >= p.subModelCount)
            return {};
        return {p.lowEdgeText(s), p.highEdgeText(s), p.bandTexts[static_cast<std::size_t>(s)]};
    }
    std::filesystem::path settingDir() const { return appFolder / "Setting"; }
    // The known series' files; any other code uses the 7200 ones.
    std::filesystem::path profileFile() const {
        return settingDir() / ModelFileNamesFor(ModelSeries(modelCode)).profile;
    }
    std::filesystem::path scratchDataFile() const { return appFolder / "Data" / "TempData.dat"; }
};

} // namespace hx
