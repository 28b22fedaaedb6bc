#pragma once

#include "core/texts/Language.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace hx {

// One text in both interface languages.
struct Bilingual {
    std::string_view chinese;
    std::string_view english;
    constexpr std::string_view in(Language language) const {
        return language == Language::Chinese ? chinese : english;
    }
};

// The texts that are not the caption or tool tip of one control: list items, cell
// words, status texts and message box texts.
enum class Text {
    On,
    Off,
    MonitorMomentary,
    MonitorLock,
    SquelchOffMomentary,
    TimeControl,
    CarrierControl,
    High,
    Low,
    Wide,
    Narrow,
    NoTone,
    Yes,
    No,
    Ready,
    FileNamePrefix,
    DeleteChannelFirst,
    DeleteChannelSecond,
    MessageTitle,
    ExitQuestion,
    SaveQuestion,
    SubModelQuestion,
    ClearQuestion,
    DeleteAllQuestion,
    WrongFileType,
    SaveFailed,
    Communicating,
    CommunicationSucceeded,
    CommunicationFailed,
    NoSubModelSelected,
    CommunicationError,
    PortOpenFailed,
    PortNotSet,
    DeleteAllChannels,
    PortDialogTitle,
    PortFrame,
    PortHeading,
    Ok,
    Cancel,
    PortPresent,
    PortAbsent,
    CommunicateTitle,
    ReadButton,
    WriteButton,
    RecentFileGone,
    AboutDescription,
    AboutRights,
    AboutDisclaimer,
    AboutTitle,
    HelpNotOpened,
    CheckCableTitle,
    SerialDevicesHeading,
    NoSerialDevice,
    NoPortNumber,
    FindingsHeading,
    DeviceUnnamed,
    DeviceUnnamedFix,
    PortNamesNothing,
    ChoosePortFix,
    PortIsPresent,
    PortIsAbsent,
    PortAbsentFix,
    MayOpen,
    MayNotOpen,
    MayNotOpenFix,
    MayNotOpenReloginFix,
    BrlttyInstalled,
    BrlttyRunning,
    BrlttyFix,
    ModemManagerRunning,
    ModemManagerFix,
    NoGrabbingService,
    PortHeld,
    AnotherProgram,
    PortHeldFix,
    PortNotHeld,
    ProcessesUnseen,
    ProcessesUnseenFix,
    LatencyHigh,
    LatencyFix,
    LatencyLow,
    KindOk,
    KindProblem,
    KindNote,
    FindCableButton,
    UnplugQuestion,
    PlugQuestion,
    NoNewDevice,
    SeveralNewDevices,
    AddPortQuestion,
    PortsFileNotWritten,
    // Names and phrases of field-level comparisons
    SettingMonitorKey,
    SettingTimeOutTimer,
    SettingSquelchLevel,
    SettingBatterySave,
    SettingBeepTone,
    SettingWideNarrow,
    FieldReceiveFrequency,
    FieldTransmitFrequency,
    FieldDecodeTone,
    FieldEncodeTone,
    FieldBusyLockout,
    FieldShift,
    ChannelField,
    ChannelBytes,
    SubModelName,
    SubModelBytes,
    UnknownBandCode,
    ChannelListBytes,
    FunctionBytes,
    RadioAddressBytes,
    EmptyValueWord,
    ChangeLine,
    VerifyMismatchLine,
    // The comparison dialog
    CompareFileTitle,
    CompareRadioTitle,
    ComparedItem,
    WindowSide,
    FileSide,
    RadioSide,
    NoDifferences,
    DifferenceCount,
    CloseButton,
    // Serial trace
    TraceOption,
    TraceSaved,
    TraceNotSaved,
    // Channel plans in and out of spreadsheets: headings and the reasons a row is refused
    PlanChannelColumn,
    PlanCommentColumn,
    PlanChannelSubject,
    PlanCellProblem,
    PlanNotAFrequency,
    PlanNotStorable,
    PlanNotInList,
    PlanNotYesOrNo,
    PlanNotAChannel,
    PlanRepeated,
    PlanNoChannelLeft,
    PlanNeeds,
    PlanUnknownRow,
    PlanPasteChannelsOnly,
    PlanLine,
    PlanNotText,
    // The printable channel card
    CardTitle,
    CardModel,
    CardBand,
    CardFunctions,
    CardChannel,
    CardNotWritten,
    CardNotPrinted,
    // Write with proof: backup and band guard, verification, cloning
    StepPort,
    StepBackup,
    StepGuard,
    StepWrite,
    StepVerify,
    ResultPass,
    ResultFail,
    ResultInterrupted,
    ResultStopped,
    Written,
    Verified,
    PortNotOpened,
    BackupReadFailed,
    BackupNotSaved,
    BandsDiffer,
    SubModelBytesDiffer,
    UnknownBand,
    WriteFailed,
    WriteInterrupted,
    ReadBackFailed,
    VerifyFoundDifferences,
    StoppedBeforeWrite,
    // Channels in and out in the window: export, import preview, paste
    ExportTitle,
    ExportSeparator,
    ExportComma,
    ExportSemicolon,
    ExportTab,
    ExportButton,
    ExportNotWritten,
    ImportTitle,
    PasteTitle,
    ImportSummary,
    ImportChanges,
    ImportRejected,
    ImportLineColumn,
    ImportNowColumn,
    ImportAfterColumn,
    ImportReasonColumn,
    ApplyButton,
    CancelButton,
    ImportUnreadable,
    NothingPasted,
    PlanTooLarge,
    Count // not a text: the number of texts
};

Bilingual TextOf(Text text);

// `pattern` with %1, %2 ... replaced by the arguments in order.
std::string FillText(std::string_view pattern, std::initializer_list<std::string_view> args);

// Caption and tool tip of a control of the main window, by its object name; nothing
// when the control has none.
const Bilingual* CaptionOf(std::string_view objectName);
const Bilingual* ToolTipOf(std::string_view objectName);

// Tool tips of the toolbar buttons and the status bar panels, by their keys.
const Bilingual* ToolbarToolTipOf(std::string_view key);
const Bilingual* StatusPanelToolTipOf(std::string_view key);

} // namespace hx
