#include "core/texts/Texts.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace hx {
namespace {

using Named = std::pair<std::string_view, Bilingual>;

constexpr std::pair<Text, Bilingual> kTexts[] = {
    {Text::On, {"打开", "ON"}},
    {Text::Off, {"关闭", "OFF"}},
    {Text::MonitorMomentary, {"瞬时监听", "Monitor Momentary"}},
    {Text::MonitorLock, {"触发监听", "Monitor Lock"}},
    {Text::SquelchOffMomentary, {"静噪关闭", "SQ Off Momentary"}},
    {Text::TimeControl, {"时间控制", "Time Ctl"}},
    {Text::CarrierControl, {"载波控制", "Carrier Ctl"}},
    {Text::High, {"高", "High"}},
    {Text::Low, {"低", "Low"}},
    {Text::Wide, {"宽", "Wide"}},
    {Text::Narrow, {"窄", "Narrow"}},
    {Text::NoTone, {"无", "None"}},
    {Text::Yes, {"是", "Yes"}},
    {Text::No, {"否", "No"}},
    {Text::LanguageTitle, {"Language / 语言", "Language / 语言"}},
    {Text::LanguageOwnNames, {"中文简体", "English"}},
    {Text::LanguageOk, {"OK", "OK"}},
    {Text::Ready, {"就绪", "Ready"}},
    {Text::FileNamePrefix, {"文件名: ", "File Name: "}},
    {Text::DeleteChannelFirst, {"删除信道 ", "D&elete channel "}},
    {Text::DeleteChannelSecond, {" 的数据(&E)", " data"}},
    {Text::MessageTitle, {"提示", "Notice"}},
    {Text::ExitQuestion, {"你要退出吗?", "Are you sure want to exit?"}},
    {Text::SaveQuestion,
     {"文件内容已经改变，想保存文件吗？", "TempData has changed,Do you want to save it now?"}},
    {Text::SubModelQuestion,
     {"选择不同型号的机型将删除所有信道的数据，是否继续？", "All data will be cleared,continue？"}},
    {Text::ClearQuestion,
     {"当前所有信道数据将被清除，是否继续？", "All data will be cleared,continue?"}},
    {Text::DeleteAllQuestion,
     {"确定删除所有的信道数据？", "Are you sure delete all channels data？"}},
    {Text::WrongFileType, {"错误的文件类型!", "Wrong file type!"}},
    {Text::SaveFailed, {"保存文件出错！", "Save file failed!"}},
    {Text::NotADataFileQuestion,
     {"此文件看起来不是本程序的数据文件。仍要打开吗？",
      "This file does not look like a data file of this program. "
      "Open it anyway?"}},
    {Text::SaveIntoForeignFileQuestion,
     {"此文件不是本程序的数据文件，保存会用对讲机数据替换其原有内容。仍要保存到此文件吗？"
      "选“否”可另选文件。",
      "This file is not a data file of this program: saving puts the radio data in place "
      "of what it holds. Save into it anyway? No chooses another file."}},
    {Text::Communicating, {"正在通信，请稍候", "Communicating,wait a minute"}},
    {Text::CommunicationSucceeded, {"通信成功", "Communication success"}},
    {Text::CommunicationFailed, {"通信失败", "Communication failed"}},
    {Text::NoSubModelSelected, {"请先选择机型", "Please select mode type first"}},
    {Text::CommunicationError,
     {"通信出错，请检查连线及串口的选择！",
      "Communication failed,please check commuication port!"}},
    {Text::PortOpenFailed, {"打开端口失败，请选择其它端口!", "Failed to open port!"}},
    {Text::PortNotSet,
     {"通信端口未设置，请先选择 \"设置\" -> \"通信端口\" 选择串口",
      "Failed to open port,Please set communication port first!"}},
    {Text::DeleteAllChannels, {"删除全部信道数据(&A)", "Delete &all channels data"}},
    {Text::PortDialogTitle, {"通信端口设置", "Communication Port"}},
    {Text::PortFrame, {"设置", "Set"}},
    {Text::PortHeading, {"通信端口", "Communication Port"}},
    {Text::Ok, {"确定", "OK"}},
    {Text::Cancel, {"取消", "Cancel"}},
    {Text::PortPresent, {"存在", "present"}},
    {Text::PortAbsent, {"未找到", "not found"}},
    {Text::CommunicateTitle, {"通信", "Communicate"}},
    {Text::ReadButton, {"读(&R)", "&Read"}},
    {Text::WriteButton, {"写(&W)", "&Write"}},
    {Text::RecentFileGone,
     {"该文件已不存在，已从最近文件列表中删除：\n",
      "This file no longer exists and was removed from the recent files:\n"}},
    {Text::AboutDescription,
     {"本软件用于编辑对讲机的16个信道和功能设置，通过写频线读写对讲机，并把对讲机数据保存为数据文件"
      "。",
      "Edits the radio's 16 channels and function settings, reads and writes the radio "
      "through the programming cable, and keeps its memory in data files."}},
    {Text::AboutRights,
     {"版权所有 © hxprog 开发者。保留所有权利。",
      "Copyright © the hxprog developers. All rights reserved."}},
    {Text::AboutDisclaimer,
     {"警告：本软件按“现状”提供，不附带任何担保。写入对讲机前请先读出并保存原有数据；"
      "请只使用当地法规允许的频率。",
      "Warning: this software is provided \"as is\", without warranty of any kind. Read and "
      "save the radio's data before writing it, and use only frequencies that local "
      "regulations allow."}},
    {Text::AboutTitle, {"关于", "About"}},
    {Text::AboutProgram, {"QRW%1系列对讲机编程软件", "QRW%1 Radio Programming Software"}},
    {Text::AboutModels, {"用于 %1", "For %1"}},
    {Text::HelpNotOpened, {"无法打开帮助文档：\n", "The help document could not be opened:\n"}},
    {Text::CheckCableTitle, {"检查写频线", "Check Cable"}},
    {Text::SerialDevicesHeading, {"串口设备：", "Serial devices:"}},
    {Text::NoSerialDevice, {"没有找到串口设备。", "No serial device found."}},
    {Text::NoPortNumber, {"无端口号", "no COM number"}},
    {Text::FindingsHeading, {"%1 的检查结果：", "Checks of %1:"}},
    {Text::DeviceUnnamed, {"没有端口号对应 %1。", "No COM number names %1."}},
    {Text::DeviceUnnamedFix,
     {"在“通信端口”对话框中用“查找写频线”，或在 Setting/Ports.ini 的 [Ports] 中加入 COMn=%1。",
      "Use Find my cable in the port dialog, or add COMn=%1 to section [Ports] of "
      "Setting/Ports.ini."}},
    {Text::PortNamesNothing, {"%1 没有对应的设备。", "%1 names no device."}},
    {Text::ChoosePortFix,
     {"在“设置”->“通信端口”中选择端口。", "Choose a port under Settings > Communication Port."}},
    {Text::PortIsPresent, {"%1 存在。", "%1 is present."}},
    {Text::PortIsAbsent, {"%1 不存在。", "%1 is not present."}},
    {Text::PortAbsentFix,
     {"插上写频线；或在“设置”->“通信端口”中选择上面列出的设备。",
      "Plug the cable in, or choose one of the devices listed above under Settings > Communication "
      "Port."}},
    {Text::MayOpen, {"你可以打开 %1。", "You may open %1."}},
    {Text::MayNotOpen,
     {"你无权打开 %1（属组 %2，权限 %3）。", "You may not open %1 (group %2, mode %3)."}},
    {Text::MayNotOpenFix,
     {"运行 sudo usermod -aG %1 $USER，然后注销并重新登录。",
      "Run sudo usermod -aG %1 $USER, then log out and in again."}},
    {Text::MayNotOpenReloginFix,
     {"你已在 %1 组中，但当前登录尚未生效：请注销并重新登录。",
      "You are in group %1 already, but this login does not have it yet: log out and in "
      "again."}},
    {Text::MayNotOpenRuleFix,
     {"加入用户组无济于事：该设备的属组没有读写权限。请把下面一行写入 "
      "/etc/udev/rules.d/50-serial-cable.rules，运行 sudo udevadm control --reload，"
      "重新插上写频线，再用 sudo usermod -aG dialout $USER 加入 dialout 组并重新登录：\n%1",
      "Joining a group cannot help: the device's group has no rights to it. Put this line "
      "into /etc/udev/rules.d/50-serial-cable.rules, run sudo udevadm control --reload, plug "
      "the cable in again, then join dialout (sudo usermod -aG dialout $USER, log out and "
      "in):\n%1"}},
    {Text::BrlttyInstalled,
     {"已安装 brltty，它会占用 USB 串口转换器（如 CH340、CP210x）。", "brltty is installed; it "
                                                                      "takes over USB serial "
                                                                      "adapters such as CH340 and "
                                                                      "CP210x."}},
    {Text::BrlttyRunning,
     {"brltty 正在运行，它会占用 USB 串口转换器（如 CH340、CP210x）。",
      "brltty is running; it "
      "takes over USB serial "
      "adapters such as CH340 and "
      "CP210x."}},
    {Text::BrlttyFix,
     {"如不使用盲文显示器：sudo apt remove brltty，然后重新插上写频线。", "Unless you use a "
                                                                          "braille display: sudo "
                                                                          "apt remove brltty, "
                                                                          "then plug the cable "
                                                                          "in again."}},
    {Text::ModemManagerRunning,
     {"ModemManager 正在运行，插入 USB 串口时它可能会探测该端口。", "ModemManager is running; it "
                                                                    "may probe a USB serial "
                                                                    "adapter when it is plugged "
                                                                    "in."}},
    {Text::ModemManagerFix,
     {"sudo systemctl disable --now ModemManager；或用 udev 规则 ENV{ID_MM_DEVICE_IGNORE}=\"1\" "
      "让它忽略此设备。",
      "sudo systemctl disable --now ModemManager, or have it ignore the adapter with the udev rule "
      "ENV{ID_MM_DEVICE_IGNORE}=\"1\"."}},
    {Text::NoGrabbingService,
     {"brltty 未安装，ModemManager 未运行。",
      "brltty is not installed and ModemManager is not running."}},
    {Text::PortHeld, {"%1 正被 %2 占用。", "%1 is held by %2."}},
    {Text::AnotherProgram, {"其他程序", "another program"}},
    {Text::PortHeldFix, {"关闭该程序后再试。", "Close that program, then try again."}},
    {Text::PortNotHeld, {"没有其他程序占用 %1。", "No other program holds %1."}},
    {Text::ProcessesUnseen,
     {"无法查看其他用户的 %1 个进程是否占用该端口。",
      "Could not look at %1 processes of other users to see whether they hold the "
      "port."}},
    {Text::ProcessesUnseenFix,
     {"运行 sudo hxtool doctor 以查看它们。", "Run sudo hxtool doctor to see them."}},
    {Text::LatencyHigh,
     {"转换器的延迟计时器为 %1 毫秒；1 毫秒可使传输更平稳。",
      "The adapter's latency timer is %1 ms; 1 ms makes transfers steadier."}},
    {Text::LatencyFix,
     {"echo 1 | sudo tee %1（重新插上后恢复原值）",
      "echo 1 | sudo tee %1 (until the adapter is plugged in again)"}},
    {Text::LatencyLow, {"转换器的延迟计时器为 %1 毫秒。", "The adapter's latency timer is %1 ms."}},
    {Text::KindOk, {"正常", "ok"}},
    {Text::KindProblem, {"问题", "problem"}},
    {Text::KindNote, {"提示", "note"}},
    {Text::FindCableButton, {"查找写频线", "Find my cable"}},
    {Text::UnplugQuestion,
     {"请从电脑上拔下写频线。已经拔下了吗？",
      "Unplug the programming cable from the computer. Is it unplugged?"}},
    {Text::PlugQuestion,
     {"请重新插上写频线，稍等片刻。已经插上了吗？",
      "Plug the programming cable in again and wait a moment. Is it plugged in?"}},
    {Text::NoNewDevice,
     {"没有出现新的串口设备。请检查写频线及其插头，或用“设置”->“检查写频线”。",
      "No new serial device appeared. Check the cable and its plug, or use Settings > Check "
      "Cable."}},
    {Text::SeveralNewDevices,
     {"出现了多个新的串口设备：\n%1\n请只插上写频线后再试。",
      "Several new serial devices appeared:\n%1\nPlug in only the programming cable and try "
      "again."}},
    {Text::AddPortQuestion,
     {"没有端口号对应 %1。在 %2 中加入下面一行吗？\n\n[Ports]\n%3",
      "No COM number names %1. Add this line to %2?\n\n[Ports]\n%3"}},
    {Text::PortsFileNotWritten, {"无法写入 %1。", "%1 could not be written."}},
    {Text::SettingMonitorKey, {"监听键", "monitor key"}},
    {Text::SettingTimeOutTimer, {"发射定时", "time-out timer"}},
    {Text::SettingSquelchLevel, {"静噪等级", "squelch level"}},
    {Text::SettingBatterySave, {"省电", "battery save"}},
    {Text::SettingBeepTone, {"提示音", "beep tone"}},
    {Text::SettingWideNarrow, {"宽/窄", "wide/narrow"}},
    {Text::FieldReceiveFrequency, {"接收频率", "receive frequency"}},
    {Text::FieldTransmitFrequency, {"发射频率", "transmit frequency"}},
    {Text::FieldDecodeTone, {"QT/DQT解码", "decode tone"}},
    {Text::FieldEncodeTone, {"QT/DQT编码", "encode tone"}},
    {Text::FieldBusyLockout, {"遇忙禁发", "busy channel lockout"}},
    {Text::FieldShift, {"拍频偏移", "shift"}},
    {Text::ChannelField, {"信道%1 %2", "channel %1 %2"}},
    {Text::ChannelBytes, {"信道%1 字节", "channel %1 bytes"}},
    {Text::SubModelName, {"机型", "sub-model"}},
    {Text::SubModelBytes, {"机型字节", "sub-model bytes"}},
    {Text::UnknownBandCode, {"频段代码 %1", "band code %1"}},
    {Text::ChannelListBytes, {"信道表字节", "channel list bytes"}},
    {Text::FunctionBytes, {"功能设置字节", "function setting bytes"}},
    {Text::RadioAddressBytes, {"地址 %1 处的字节", "bytes at radio address %1"}},
    {Text::FileHeaderByte, {"文件头字节 %1", "file header byte %1"}},
    {Text::FileHeaderBytes, {"文件头字节 %1-%2", "file header bytes %1-%2"}},
    {Text::EmptyValueWord, {"（空）", "(empty)"}},
    {Text::ValueWithCode, {"%1（%2）", "%1 (%2)"}},
    {Text::CodeNotATone, {"代码 %1，不在亚音表中", "code %1, not in the tone table"}},
    {Text::ChangeLine, {"%1 %2 → %3", "%1 %2 → %3"}},
    {Text::FileHeaderChangeLine, {"%1：%2 → %3", "%1: %2 → %3"}},
    {Text::VerifyMismatchLine, {"%1：写入 %2，对讲机中为 %3", "%1: sent %2, radio holds %3"}},
    {Text::CompareFileTitle, {"与文件比较", "Compare with File"}},
    {Text::CompareRadioTitle, {"与对讲机比较", "Compare with Radio"}},
    {Text::ComparedItem, {"项目", "Item"}},
    {Text::WindowSide, {"窗口中", "In the window"}},
    {Text::FileSide, {"文件中", "In the file"}},
    {Text::RadioSide, {"对讲机中", "In the radio"}},
    {Text::NoDifferences,
     {"没有差别：窗口与 %1 的内容相同。", "No differences: the window and %1 hold the same."}},
    {Text::DifferenceCount,
     {"窗口与 %2 的差别：%1 处", "Differences between the window and %2: %1"}},
    {Text::CloseButton, {"关闭", "Close"}},
    // Serial trace
    {Text::TraceOption, {"记录串口通信日志(&T)", "Record a serial &trace"}},
    {Text::TraceSaved, {"串口通信日志：%1", "Serial trace: %1"}},
    {Text::TraceNotSaved, {"串口通信日志无法保存：%1", "The serial trace was not saved: %1"}},
    // Channel plans in and out of spreadsheets
    {Text::PlanChannelColumn, {"信道", "channel"}},
    {Text::PlanCommentColumn, {"备注", "comment"}},
    {Text::PlanChannelSubject, {"信道%1", "channel %1"}},
    {Text::PlanCellProblem, {"%1“%2”：%3", "%1 '%2': %3"}},
    {Text::PlanNotAFrequency, {"不是频率", "not a frequency"}},
    {Text::PlanNotStorable, {"不在 100 到 999 MHz 之间", "not from 100 to below 999 MHz"}},
    {Text::PlanFinerThanStored, {"比 10 Hz 步进更细", "finer than the radio's 10 Hz steps"}},
    {Text::PlanOffRaster, {"不在 12.5 kHz 信道间隔上", "off the 12.5 kHz raster"}},
    {Text::PlanNotInList, {"不在列表中", "not in the list"}},
    {Text::PlanNotYesOrNo, {"应为“是”或“否”", "neither Yes nor No"}},
    {Text::PlanNotAChannel, {"不是 1 到 16 的信道号", "not a channel from 1 to 16"}},
    {Text::PlanRepeated, {"%1已在第 %2 行给出", "%1 is already given on line %2"}},
    {Text::PlanNoChannelLeft, {"第 16 信道之后没有信道", "no channel after channel 16"}},
    {Text::PlanNeeds, {"%1需要%2", "%1 needs a %2"}},
    {Text::PlanUnknownRow, {"既不是信道也不是设置", "neither a channel nor a setting"}},
    {Text::PlanPasteChannelsOnly, {"只能粘贴信道", "only channels can be pasted"}},
    {Text::PlanLine, {"第 %1 行：%2", "line %1: %2"}},
    {Text::PlanNotText,
     {"文件既不是 UTF-8 也不是 GB18030 文本（第 %1 行第 %2 列）",
      "the file is neither UTF-8 nor GB18030 text (line %1, column %2)"}},
    {Text::PlanUnclosedQuote,
     {"第 %1 行的引号没有结束", "the quote opened on line %1 never closes"}},
    {Text::PlanUnknownLayout,
     {"首行的列标题不属于可读取的格式：本程序的信道表（信道、接收频率、发射频率……）或 CHIRP 的 "
      "CSV（Location、Frequency、Duplex、Offset、Tone……）；文件中的列：%1",
      "the heading matches no layout this program reads: its own channel plan (channel, receive "
      "frequency, transmit frequency, ...) or CHIRP's CSV (Location, Frequency, Duplex, Offset, "
      "Tone, ...); columns seen: %1"}},
    {Text::ChirpNotDuplex, {"应为 +、-、split 或 off", "not +, -, split or off"}},
    {Text::ChirpNotStored, {"本电台不存储：%1", "not stored by this radio: %1"}},
    {Text::ChirpLocationsShifted,
     {"位置从 0 开始：位置 0 为信道 1", "locations start at 0: location 0 is channel 1"}},
    // The printable channel card
    {Text::CardTitle, {"信道表", "Channel Card"}},
    {Text::CardModel, {"型号", "Model"}},
    {Text::CardBand, {"频段", "Band"}},
    {Text::CardFunctions, {"功能设置", "Function Settings"}},
    {Text::CardChannel, {"信道", "Ch"}},
    {Text::CardNotWritten, {"PDF 文件未能写入：\n%1", "The PDF file could not be written:\n%1"}},
    {Text::CardNotPrinted,
     {"打印失败，没有打印任何内容。", "Printing failed; nothing was printed."}},
    // The checks of a typed frequency
    {Text::ReceiveOutOfRange,
     {"接收频率超出范围！有效范围为%1", "Out of range!The valid range is %1"}},
    {Text::TransmitOutOfRange,
     {"发射频率超出范围！有效范围为%1", "Out of range!The valid range is %1"}},
    // Write with proof: backup and band guard, verification, cloning
    {Text::StepPort, {"打开端口", "Opening the port"}},
    {Text::StepBackup, {"备份", "Backup"}},
    {Text::StepGuard, {"核对频段", "Band check"}},
    {Text::StepWrite, {"写入", "Writing"}},
    {Text::StepVerify, {"校验", "Verifying"}},
    {Text::ResultPass, {"通过", "PASS"}},
    {Text::ResultFail, {"失败", "FAIL"}},
    {Text::ResultInterrupted, {"中断", "INTERRUPTED"}},
    {Text::ResultStopped, {"已停止", "STOPPED"}},
    {Text::ResultUnverified, {"未校验", "UNVERIFIED"}},
    {Text::Written, {"已写入", "written"}},
    {Text::Verified, {"已校验", "verified"}},
    {Text::PortNotOpened, {"无法打开端口：%1", "the port could not be opened: %1"}},
    {Text::BackupReadFailed,
     {"备份读取失败，未写入：%1", "the backup read failed, nothing was written: %1"}},
    {Text::BackupNotSaved,
     {"备份无法保存，未写入：%1", "the backup could not be saved, nothing was written: %1"}},
    {Text::BandsDiffer,
     {"对讲机频段 %1，文件频段 %2，未写入", "radio band %1, file band %2: nothing was written"}},
    {Text::SubModelBytesDiffer,
     {"对讲机机型字节 %1，文件机型字节 %2，未写入",
      "radio sub-model bytes %1, file sub-model bytes "
      "%2: nothing was written"}},
    {Text::UnknownBand, {"未知频段（代码 %1）", "unknown band (code %1)"}},
    {Text::WriteFailed,
     {"写入失败，未写入任何数据：%1", "the write failed before any data was sent: %1"}},
    {Text::WriteInterrupted,
     {"写入在第 %1 块中断，对讲机只写入了一部分：%2",
      "the write stopped at block %1, the radio is half-written: %2"}},
    {Text::ReadBackFailed, {"回读失败：%1", "the read-back failed: %1"}},
    {Text::NotVerified,
     {"已写入，未校验：写频后对讲机没有应答",
      "written, not verified: the radio did not answer after programming"}},
    {Text::VerifyFoundDifferences,
     {"校验发现 %1 处不同，第一处：%2", "verification found %1 difference(s), the first: %2"}},
    {Text::StoppedBeforeWrite, {"已停止，未写入", "stopped before the write, nothing was written"}},
    // Channels in and out in the window: export, import preview, paste
    {Text::ExportTitle, {"导出信道表", "Export Channel Plan"}},
    {Text::ExportSeparator, {"字段分隔符：", "Separator between fields:"}},
    {Text::ExportComma, {"逗号（,）", "Comma (,)"}},
    {Text::ExportSemicolon, {"分号（;），小数用逗号", "Semicolon (;), decimal comma"}},
    {Text::ExportTab, {"制表符（.txt）", "Tab (.txt)"}},
    {Text::ExportChirp, {"CHIRP 的 CSV（.csv）", "CHIRP CSV (.csv)"}},
    {Text::ExportButton, {"导出", "Export"}},
    {Text::ExportNotWritten,
     {"信道表文件未能写入：\n%1", "The channel plan could not be written:\n%1"}},
    {Text::ImportTitle, {"导入信道表", "Import Channel Plan"}},
    {Text::PasteTitle, {"粘贴信道", "Paste Channels"}},
    {Text::ImportSummary,
     {"%1：%2 项更改，%3 行被拒绝。点击“应用”后才会更改。",
      "%1 — changes: %2, rows rejected: %3. Nothing changes before Apply."}},
    {Text::ImportChanges, {"将更改的内容", "What will change"}},
    {Text::ImportRejected, {"被拒绝的行", "Rejected rows"}},
    {Text::ImportLineColumn, {"行", "Line"}},
    {Text::ImportNowColumn, {"现在", "Now"}},
    {Text::ImportAfterColumn, {"之后", "After"}},
    {Text::ImportNoteColumn, {"说明", "Note"}},
    {Text::ImportReasonColumn, {"原因", "Reason"}},
    {Text::ApplyButton, {"应用", "Apply"}},
    {Text::CancelButton, {"取消", "Cancel"}},
    {Text::ImportUnreadable, {"无法导入 %1：\n%2", "%1 cannot be imported:\n%2"}},
    {Text::NothingPasted, {"没有粘贴任何信道：\n%1", "Nothing was pasted:\n%1"}},
    {Text::PlanTooLarge,
     {"文件大于 1 MiB，不是信道计划。",
      "The file is larger than 1 MiB: no channel plan is that large."}},
    // Write with proof in the window, and the Clone Radios dialog
    {Text::VerifyOption, {"写频后校验(&V)", "&Verify after write"}},
    {Text::BackupOption, {"写频前备份(&B)", "&Backup before write"}},
    {Text::WriteVerified, {"写频成功，已校验", "Written and verified"}},
    {Text::BackupKept, {"备份：%1", "Backup: %1"}},
    {Text::BackupFailedStatus, {"备份失败，未写入", "Backup failed, nothing written"}},
    {Text::VerifyFailedStatus, {"校验失败", "Verification failed"}},
    {Text::NotVerifiedStatus, {"已写入，未校验", "Written, not verified"}},
    {Text::VerifyFailedMessage,
     {"校验失败：对讲机中的数据与写入的不同。\n\n%1",
      "Verification failed: the radio does not hold what was sent.\n\n%1"}},
    {Text::WriteAnywayQuestion, {"%1\n\n仍然写入吗？", "%1\n\nWrite anyway?"}},
    {Text::WriteCancelled, {"已取消写频", "Write cancelled"}},
    {Text::CloneTitle, {"克隆对讲机", "Clone Radios"}},
    {Text::CloneMaster, {"母版数据文件：", "Master data file:"}},
    {Text::ClonePorts, {"端口", "Ports"}},
    {Text::CloneLog, {"记录文件：", "Log file:"}},
    {Text::CloneBrowse, {"浏览…", "Browse…"}},
    {Text::CloneOpenLog, {"打开记录", "Open Log"}},
    {Text::CloneBegin, {"开始克隆", "Begin Cloning"}},
    {Text::CloneStart, {"开始", "Start"}},
    {Text::CloneWaiting,
     {"接上下一台对讲机，然后按“开始”", "Connect the next radio, then press Start"}},
    {Text::CloneUnit, {"第 %1 台", "Unit %1"}},
    {Text::CloneUnitOutcome, {"第 %1 台：%2", "Unit %1: %2"}},
    {Text::ClonePortCount,
     {"本端口：%1 台，通过 %2，失败 %3", "This port: %1 radios, %2 passed, %3 failed"}},
    {Text::CloneRunTotals, {"共计：通过 %1，失败 %2", "All ports: %1 passed, %2 failed"}},
    {Text::ClonePortDone, {"本端口已结束", "This port is done"}},
    {Text::CloneNoPort, {"请至少选择一个端口。", "Choose at least one port."}},
    {Text::CloneMasterUnreadable,
     {"母版数据文件无法读取：\n%1", "The master data file cannot be read:\n%1"}},
    {Text::CloneModuleMissing,
     {"无法克隆：程序缺少组成部分 %1。", "Cannot clone: the program lacks its part %1."}},
    {Text::CloneCloseQuestion,
     {"对讲机正在写入。完成正在进行的对讲机后关闭吗？",
      "Radios are being programmed. Close once the radios in progress "
      "are finished?"}},
    {Text::CloneStopping,
     {"正在停止：等待进行中的对讲机完成…", "Stopping: finishing the radios in progress…"}},
    {Text::CloneLogNotWritten, {"记录文件未写入此台：%1", "The log did not take this radio: %1"}},
    {Text::CloneUnitWithoutResult,
     {"第 %1 台（%2）于 %3 开始，但没有结果：请检查这台对讲机。",
      "Unit %1 on %2 was started at %3 and has no result: "
      "check that radio."}},
    // Undo and redo: the Edit menu's items and the names of the steps
    {Text::UndoStep, {"撤销 %1(&U)", "&Undo %1"}},
    {Text::UndoNothing, {"撤销(&U)", "&Undo"}},
    {Text::RedoStep, {"重做 %1(&R)", "&Redo %1"}},
    {Text::RedoNothing, {"重做(&R)", "&Redo"}},
    {Text::EditStoreChannel, {"存储信道", "Store Channel"}},
    {Text::EditDeleteChannel, {"删除信道", "Delete Channel"}},
    {Text::EditClearAllChannels, {"删除所有信道", "Clear All Channels"}},
    {Text::EditPasteChannels, {"粘贴 %1 个信道", "Paste %1 Channels"}},
    {Text::EditPasteChannel, {"粘贴 %1 个信道", "Paste Channel"}},
    {Text::EditImportPlan, {"导入信道表", "Import"}},
    {Text::EditMoveChannels, {"移动 %1 个信道", "Move %1 Channels"}},
    {Text::EditMoveChannel, {"移动 %1 个信道", "Move Channel"}},
    {Text::EditClearChannels, {"清除 %1 个信道", "Clear %1 Channels"}},
    {Text::EditClearChannel, {"清除 %1 个信道", "Clear Channel"}},
    {Text::EditFunctionSetting, {"功能设置", "Function Setting"}},
    {Text::EditSubModelSwitch, {"更换机型", "Model Type Change"}},
    {Text::EditReadRadio, {"读频", "Read from Radio"}},
    {Text::EditNewDataSet, {"新建", "New"}},
    // The window's own questions and failures
    {Text::SwitchSeriesQuestion,
     {"是否切换到QRW%1写频软件?", "Do you want to switch to QRW%1 soft?"}},
    {Text::StartupFailed, {"Initial Soft Occur Error!", "Initial Soft Occur Error!"}},
};

// Each row names its text, so a row moved, lost or doubled stops the build instead of
// showing the neighbour's words.
constexpr bool EveryRowInItsPlace() {
    for (std::size_t i = 0; i < std::size(kTexts); ++i)
        if (kTexts[i].first != static_cast<Text>(i))
            return false;
    return std::size(kTexts) == static_cast<std::size_t>(Text::Count);
}
static_assert(EveryRowInItsPlace(), "the rows of kTexts follow the order of enum Text");

constexpr Named kCaptions[] = {
    {"fileMenu", {"文件(&F)", " &File "}},
    {"newFileAction", {"新建(&N)", "&New"}},
    {"openFileAction", {"打开(&O)", "&Open"}},
    {"saveFileAction", {"保存(&S)", "&Save"}},
    {"saveFileAsAction", {"另存为(&A)", "S&ave As"}},
    {"compareFileAction", {"与文件比较(&C)…", "&Compare with File…"}},
    {"compareRadioAction", {"与对讲机比较(&M)…", "Co&mpare with Radio…"}},
    {"exitAction", {"退出(&Q)", "&Exit"}},
    {"editMenu", {"编辑(&E)", "&Edit"}},
    {"programMenu", {"编程(&P)", "&Program"}},
    {"readRadioAction", {"读频(&R)", "&Read"}},
    {"writeRadioAction", {"写频(&W)", "&Write"}},
    {"settingsMenu", {"设置(&S)", " &Settings"}},
    {"communicationPortAction", {"通信端口(&P)", "&Communication Port"}},
    {"checkCableAction", {"检查写频线(&K)…", "Check Ca&ble…"}},
    {"languageMenu", {"语言设置(&L)", "&Language Settings"}},
    {"chineseAction", {"中文简体(&C)", "&Chinese"}},
    {"englishAction", {"English(&E)", "&English"}},
    {"modelSeriesMenu", {"机型选择(&M)", "M&odel Select"}},
    {"hx7100Action", {"HX7100系列(&1)", "HX7&100 Soft"}},
    {"hx7200Action", {"HX7200系列(&2)", "HX7&200 Soft"}},
    {"hx7400Action", {"HX7400系列(&4)", "HX7&400 Soft"}},
    {"helpMenu", {"帮助(&H)", " &Help "}},
    {"helpTopicAction", {"帮助主题(&T)", "Help &Topic"}},
    {"aboutAction", {"关于(&A)", "&About"}},
    {"modelArea", {"机型选择", "Model Select"}},
    {"subModelLabel", {" 机型:", "Model Type:"}},
    {"bandLabel", {"频段:", "Fre Range:"}},
    {"functionArea", {"功能设置", "Function Set"}},
    {"monitorKeyLabel", {"监听键:", "Moni Key:"}},
    {"timeOutTimerLabel", {"发射定时[秒]:", "Time Out Timer:"}},
    {"squelchLevelLabel", {"静噪等级:", "Squelch Level:"}},
    {"batterySaveLabel", {"省电:", "Battery Save:"}},
    {"beepToneLabel", {"提示音:", "Beep Tone:"}},
    {"scanFunctionLabel", {"扫描:", "Scan:"}},
    {"channelEditor", {"信道编辑", "Channel Edit"}},
    {"channelLabel", {"信道:", "Channel No:"}},
    {"transmitFrequencyLabel", {"发射频率:", "Tx Frequency:"}},
    {"encodeToneLabel", {"QT/DQT编码:", "QT/DQT Encode:"}},
    {"receiveFrequencyLabel", {"接收频率:", "Rx Frequency:"}},
    {"decodeToneLabel", {"QT/DQT解码:", "QT/DQT Decode:"}},
    {"busyLockoutLabel", {"遇忙禁发:", "Busy Channel Lockout:"}},
    {"shiftLabel", {"拍频偏移:", "Shift:"}},
    {"transmitPowerLabel", {"发射功率:", "Tx Power:"}},
    {"wideNarrowLabel", {"宽/窄:", "W/N:"}},
    {"scanLabel", {"扫描:", "Scan:"}},
    {"txEqualsRxBox", {"发射频率等于接收频率", "Tx Equal to Rx Frequency"}},
    {"deleteAllChannelsBox", {"删除所有信道数据", "Clear All Channels Data"}},
    {"okButton", {"确定", "OK"}},
    {"channelTable", {"信道信息", "Channel Information"}},
    {"channelHeading", {"频率", "Frequency"}},
    {"receiveFrequencyHeading", {"接收频率", "RX Freq."}},
    {"transmitFrequencyHeading", {"发射频率", "TX Freq."}},
    {"toneHeading", {"QT/DQT", "QT/DQT"}},
    {"encodeToneHeading", {"QT/DQT编码", "QT/DQT Enc."}},
    {"decodeToneHeading", {"QT/DQT解码", "QT/DQT Dec."}},
    {"busyLockoutHeading", {"遇忙禁发", "BCL"}},
    {"shiftHeading", {"拍频偏移", "Shift"}},
    {"transmitPowerHeading", {"发射功率", "Tx Power"}},
    {"scanHeading", {"扫描", "Scan"}},
    // The printable channel card
    {"printAction", {"打印(&P)…", "&Print…"}},
    {"exportPdfAction", {"导出PDF(&D)…", "Export P&DF…"}},
    // Channels in and out in the window
    {"exportPlanAction", {"导出信道表(&E)…", "E&xport…"}},
    {"importPlanAction", {"导入信道表(&I)…", "&Import…"}},
    {"clearChannelsAction", {"清除所选信道(&L)", "C&lear Selected Channels"}},
    {"copyChannelsAction", {"复制信道(&C)", "&Copy Channels"}},
    {"pasteChannelsAction", {"粘贴信道(&V)", "&Paste Channels"}},
    {"moveChannelUpAction", {"上移(&U)", "Move &Up"}},
    {"moveChannelDownAction", {"下移(&D)", "Move &Down"}},
    // Write with proof and the Clone Radios dialog
    {"verifyAfterWriteAction", {"写频后校验(&V)", "&Verify after write"}},
    {"backupBeforeWriteAction", {"写频前备份(&B)", "&Backup before write"}},
    {"cloneRadiosAction", {"克隆对讲机(&L)…", "C&lone Radios…"}},
};

constexpr Named kToolTips[] = {
    {"subModelList", {"选择相应机型", "Select Model"}},
    {"bandValueLabel", {"机型相应频段", "Frequency Range"}},
    {"subModelLabel", {"选择相应机型", "Select Model"}},
    {"bandLabel", {"机型相应频段", "Frequency Range"}},
    {"monitorKeyLabel", {"设置监听功能", "Monitor Key Function"}},
    {"timeOutTimerLabel", {"设置发射定时时间", "Set Time Out Timer [s]"}},
    {"squelchLevelLabel", {"设置静噪电平级数", "Set Squelch Level"}},
    {"batterySaveLabel", {"设置省电打开或关闭", "Battery Save ON/OFF"}},
    {"beepToneLabel", {"设置提示音打开或关闭", "Beep Tone ON/OFF"}},
    {"scanFunctionLabel", {"设置扫描功能", "Scan Function"}},
    {"channelLabel", {"选择相应的信道", "Select Channel"}},
    {"receiveFrequencyLabel", {"设置对讲机接收频率", "Set Receive Frequency"}},
    {"decodeToneLabel", {"设置对讲机QT/DQT解码", "Set QT/DQT Decode"}},
    {"transmitFrequencyLabel", {"设置对讲机发射频率", "Set Transmit Frequency"}},
    {"encodeToneLabel", {"设置对讲机QT/DQT编码", "Set QT/DQT Encode"}},
    {"busyLockoutLabel", {"设置遇忙禁止发射打开或关闭", "Busy Channel Lockout"}},
    {"shiftLabel", {"拍频偏移", "Shift"}},
    {"transmitPowerLabel", {"设置对讲机发射功率", "Set Transmit Power"}},
    {"wideNarrowLabel", {"设置对讲机宽带窄带", "Set Wide/Narrow"}},
    {"scanLabel", {"设置对讲机的扫描功能", "Set Scan Function"}},
    {"txEqualsRxBox",
     {"设置发射频率等于接收频率", "Transmit Frequency Equal to Receive Frequency"}},
    {"deleteAllChannelsBox", {"删除所有信道中的数值", "Delete All Channels Data"}},
    {"okButton", {"确定当前信道的设置", "Accept Settting"}},
    {"channelHeading", {"对讲机频率", "Frequency"}},
    {"receiveFrequencyHeading", {"对讲机接收频率", "Receive Frequency"}},
    {"transmitFrequencyHeading", {"对讲机发射频率", "Transmit Frequency"}},
    {"toneHeading", {"对讲机亚音频", "Set QT/DQT"}},
    {"encodeToneHeading", {"对讲机QT/DQT编码", "QT/DQT Encode"}},
    {"decodeToneHeading", {"对讲机QT/DQT解码", "QT/DQT Decode"}},
    {"busyLockoutHeading", {"遇忙禁发", "Busy Channel Lockout"}},
    {"shiftHeading", {"拍频偏移", "Shift"}},
    {"transmitPowerHeading", {"对讲机的发射功率", "Transmit Power"}},
    {"scanHeading", {"扫描功能", "Scan Function"}},
};

constexpr Named kToolbarToolTips[] = {
    {"FileNew", {"新建文件", "New File"}},
    {"FileOpen", {"打开文件", "Open File"}},
    {"FileSave", {"保存文件", "Save File"}},
    {"Read", {"从对讲机读数据", "Read data from Radio"}},
    {"Write", {"向对讲机写数据", "Write data to Radio"}},
    {"Port", {"设置通信口", "Set Communication Port"}},
    {"Help", {"帮助", "Help"}},
    {"Exit", {"退出", "Exit"}},
};

constexpr Named kStatusPanelToolTips[] = {
    {"statePanel", {"提示当前状态", "Status"}},
    {"portPanel", {"通信端口", "Communication Port"}},
    {"fileNamePanel", {"文件路径", "File Path"}},
};

template <std::size_t N> const Bilingual* Find(const Named (&table)[N], std::string_view name) {
    const auto found = std::find_if(std::begin(table), std::end(table),
                                    [&](const Named& n) { return n.first == name; });
    return found == std::end(table) ? nullptr : &found->second;
}

} // namespace

Bilingual TextOf(Text text) {
    return kTexts[static_cast<std::size_t>(text)].second;
}

std::string FillText(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string filled;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::size_t index = i + 1 < pattern.size() ? std::size_t(pattern[i + 1] - '1') : 9;
        if (pattern[i] == '%' && index < args.size()) {
            filled += *(args.begin() + index);
            ++i;
        } else {
            filled += pattern[i];
        }
    }
    return filled;
}
const Bilingual* CaptionOf(std::string_view objectName) {
    return Find(kCaptions, objectName);
}
const Bilingual* ToolTipOf(std::string_view objectName) {
    return Find(kToolTips, objectName);
}
const Bilingual* ToolbarToolTipOf(std::string_view key) {
    return Find(kToolbarToolTips, key);
}
const Bilingual* StatusPanelToolTipOf(std::string_view key) {
    return Find(kStatusPanelToolTips, key);
}

} // namespace hx
