#include "app/texts/Texts.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace hx {
namespace {

using Named = std::pair<std::string_view, Bilingual>;

constexpr Bilingual kTexts[] = {
    {"打开", "ON"},                                // On
    {"关闭", "OFF"},                               // Off
    {"瞬时监听", "Monitor Momentary"},             // MonitorMomentary
    {"触发监听", "Monitor Lock"},                  // MonitorLock
    {"静噪关闭", "SQ Off Momentary"},              // SquelchOffMomentary
    {"时间控制", "Time Ctl"},                      // TimeControl
    {"载波控制", "Carrier Ctl"},                   // CarrierControl
    {"高", "High"},                                // High
    {"低", "Low"},                                 // Low
    {"宽", "Wide"},                                // Wide
    {"窄", "Narrow"},                              // Narrow
    {"无", "None"},                                // NoTone
    {"是", "Yes"},                                 // Yes
    {"否", "No"},                                  // No
    {"就绪", "Ready"},                             // Ready
    {"文件名: ", "File Name: "},                   // FileNamePrefix
    {"删除信道 ", "Delete channel "},              // DeleteChannelFirst
    {" 的数据", " data"},                          // DeleteChannelSecond
    {"提示", "Notice"},                            // MessageTitle
    {"你要退出吗?", "Are you sure want to exit?"}, // ExitQuestion
    {"文件内容已经改变，想保存文件吗？",
     "TempData has changed,Do you want to save it now?"}, // SaveQuestion
    {"选择不同型号的机型将删除所有信道的数据，是否继续？",
     "All data will be cleared,continue？"}, // SubModelQuestion
    {"当前所有信道数据将被清除，是否继续？", "All data will be cleared,continue?"}, // ClearQuestion
    {"确定删除所有的信道数据？", "Are you sure delete all channels data？"}, // DeleteAllQuestion
    {"错误的文件类型!", "Wrong file type!"},                                 // WrongFileType
    {"保存文件出错！", "Save file failed!"},                                 // SaveFailed
    {"正在通信，请稍候", "Communicating,wait a minute"},                     // Communicating
    {"通信成功", "Communication success"},             // CommunicationSucceeded
    {"通信失败", "Communication failed"},              // CommunicationFailed
    {"请先选择机型", "Please select mode type first"}, // NoSubModelSelected
    {"通信出错，请检查连线及串口的选择！",
     "Communication failed,please check commuication port!"},  // CommunicationError
    {"打开端口失败，请选择其它端口!", "Failed to open port!"}, // PortOpenFailed
    {"通信端口未设置，请先选择 \"设置\" -> \"通信端口\" 选择串口",
     "Failed to open port,Please set communication port first!"}, // PortNotSet
    {"删除全部信道数据", "Delete all channels data"},             // DeleteAllChannels
    {"通信端口设置", "Communication Port"},                       // PortDialogTitle
    {"设置", "Set"},                                              // PortFrame
    {"通信端口", "Communication Port"},                           // PortHeading
    {"确定", "OK"},                                               // Ok
    {"取消", "Cancel"},                                           // Cancel
    {"已连接", "present"},                                        // PortPresent
    {"未找到", "not found"},                                      // PortAbsent
    {"通信", "Communicate"},                                      // CommunicateTitle
    {"读(&R)", "&Read"},                                          // ReadButton
    {"写(&W)", "&Write"},                                         // WriteButton
    {"该文件已不存在，已从最近文件列表中删除：\n",
     "This file no longer exists and was removed from the recent files:\n"}, // RecentFileGone
    {"本软件用于编辑对讲机的16个信道和功能设置，通过写频线读写对讲机，并把对讲机数据保存为数据文件"
     "。",
     "Edits the radio's 16 channels and function settings, reads and writes the radio "
     "through the programming cable, and keeps its memory in data files."}, // AboutDescription
    {"版权所有 © hxprog 开发者。保留所有权利。",
     "Copyright © the hxprog developers. All rights reserved."}, // AboutRights
    {"警告：本软件按“现状”提供，不附带任何担保。写入对讲机前请先读出并保存原有数据；"
     "请只使用当地法规允许的频率。",
     "Warning: this software is provided \"as is\", without warranty of any kind. Read and "
     "save the radio's data before writing it, and use only frequencies that local "
     "regulations allow."},                                               // AboutDisclaimer
    {"关于", "About"},                                                    // AboutTitle
    {"无法打开帮助文档：\n", "The help document could not be opened:\n"}, // HelpNotOpened
};
static_assert(std::size(kTexts) == static_cast<std::size_t>(Text::Count));

constexpr Named kCaptions[] = {
    {"mnuFile", {"文件(&F)", " &File "}},
    {"mnuFileNew", {"新建(&N)", "&New"}},
    {"mnuFileOpen", {"打开(&O)", "&Open"}},
    {"mnuFileSave", {"保存(&S)", "&Save"}},
    {"mnuFileSaveAs", {"另存为(&A)", "S&ave As"}},
    {"mnuExit", {"退出(&Q)", "&Exit"}},
    {"mnuProgram", {"编程(&P)", "&Program"}},
    {"mnuReadFre", {"读频(&R)", "&Read"}},
    {"mnuWriteFre", {"写频(&W)", "&Write"}},
    {"mnuSet", {"设置(&S)", " &Settings"}},
    {"mnuCommunicate", {"通信端口(&P)", "&Communication Port"}},
    {"mnuLangSetting", {"语言设置(&L)", "&Language Settings"}},
    {"mnuLangSel0", {"中文简体(&C)", "&Chinese"}},
    {"mnuLangSel1", {"English(&E)", "&English"}},
    {"mnuModeType", {"机型选择(&M)", "M&odel Select"}},
    {"mnuModeHx7100", {"HX7100系列", "HX7100 Soft"}},
    {"mnuModeHx7200", {"HX7200系列", "HX7200 Soft"}},
    {"mnuModeHx7400", {"HX7400系列", "HX7400 Soft"}},
    {"mnuHelp", {"帮助(&H)", " &Help "}},
    {"mnuHelpTopic", {"帮助主题(&T)", "Help &Topic"}},
    {"mnuAboutSoft", {"关于(&A)", "&About"}},
    {"fraTypeSel", {"机型选择", "Model Select"}},
    {"lblType", {" 机型:", "Model Type:"}},
    {"lblFre", {"频段:", "Fre Range:"}},
    {"fraFuncSet", {"功能设置", "Function Set"}},
    {"lblMoni", {"监听键:", "Moni Key:"}},
    {"lblTransTimer", {"发射定时[秒]:", "Time Out Timer:"}},
    {"lblSql", {"静噪等级:", "Squelch Level:"}},
    {"lblSavePow", {"省电:", "Battery Save:"}},
    {"lblVoiceHint", {"提示音:", "Beep Tone:"}},
    {"lblFuncScan", {"扫描:", "Scan:"}},
    {"fraFreSet", {"信道编辑", "Channel Edit"}},
    {"lblCh", {"信道:", "Channel No:"}},
    {"lblTransFre", {"发射频率:", "Tx Frequency:"}},
    {"lblTransQT", {"QT/DQT编码:", "QT/DQT Encode:"}},
    {"lblReceFre", {"接收频率:", "Rx Frequency:"}},
    {"lblReceQT", {"QT/DQT解码:", "QT/DQT Decode:"}},
    {"lblForbidTrans", {"遇忙禁发:", "Busy Channel Lockout:"}},
    {"lblShift", {"拍频偏移:", "Shift:"}},
    {"lblTransPower", {"发射功率:", "Tx Power:"}},
    {"lblWideNarrow", {"宽/窄:", "W/N:"}},
    {"lblScan", {"扫描:", "Scan:"}},
    {"chkFreReceEquTrans", {"发射频率等于接收频率", "Tx Equal to Rx Frequency"}},
    {"chkDeteChanData", {"删除所有信道数据", "Clear All Channels Data"}},
    {"cmdConfirm", {"确定", "OK"}},
    {"fraFreDisplay", {"信道信息", "Channel Information"}},
    {"lblFreDis", {"频率", "Frequency"}},
    {"lblReceFreDis", {"接收频率", "RX Freq."}},
    {"lblTransFreDis", {"发射频率", "TX Freq."}},
    {"lblQTDQTDis", {"QT/DQT", "QT/DQT"}},
    {"lblQTDQTEncodeDis", {"QT/DQT编码", "QT/DQT Enc."}},
    {"lblQTDQTDecodeDis", {"QT/DQT解码", "QT/DQT Dec."}},
    {"lblForbidDis", {"遇忙禁发", "BCL"}},
    {"lblShiftDis", {"拍频偏移", "Shift"}},
    {"lblTransPowerDis", {"发射功率", "Tx Power"}},
    {"lblScanDis", {"扫描", "Scan"}},
};

constexpr Named kToolTips[] = {
    {"cboTypeSel", {"选择相应机型", "Select Model"}},
    {"lblFreVal", {"机型相应频段", "Frequency Range"}},
    {"lblType", {"选择相应机型", "Select Model"}},
    {"lblFre", {"机型相应频段", "Frequency Range"}},
    {"lblMoni", {"设置监听功能", "Monitor Key Function"}},
    {"lblTransTimer", {"设置发射定时时间", "Set Time Out Timer [s]"}},
    {"lblSql", {"设置静噪电平级数", "Set Squelch Level"}},
    {"lblSavePow", {"设置省电打开或关闭", "Battery Save ON/OFF"}},
    {"lblVoiceHint", {"设置提示音打开或关闭", "Beep Tone ON/OFF"}},
    {"lblFuncScan", {"设置扫描功能", "Scan Function"}},
    {"lblCh", {"选择相应的信道", "Select Channel"}},
    {"lblReceFre", {"设置对讲机接收频率", "Set Receive Frequency"}},
    {"lblReceQT", {"设置对讲机QT/DQT解码", "Set QT/DQT Decode"}},
    {"lblTransFre", {"设置对讲机发射频率", "Set Transmit Frequency"}},
    {"lblTransQT", {"设置对讲机QT/DQT编码", "Set QT/DQT Encode"}},
    {"lblForbidTrans", {"设置遇忙禁止发射打开或关闭", "Busy Channel Lockout"}},
    {"lblShift", {"拍频偏移", "Shift"}},
    {"lblTransPower", {"设置对讲机发射功率", "Set Transmit Power"}},
    {"lblWideNarrow", {"设置对讲机宽带窄带", "Set Wide/Narrow"}},
    {"lblScan", {"设置对讲机的扫描功能", "Set Scan Function"}},
    {"chkFreReceEquTrans",
     {"设置发射频率等于接收频率", "Transmit Frequency Equal to Receive Frequency"}},
    {"chkDeteChanData", {"删除所有信道中的数值", "Delete All Channels Data"}},
    {"cmdConfirm", {"确定当前信道的设置", "Accept Settting"}},
    {"lblFreDis", {"对讲机频率", "Frequency"}},
    {"lblReceFreDis", {"对讲机接收频率", "Receive Frequency"}},
    {"lblTransFreDis", {"对讲机发射频率", "Transmit Frequency"}},
    {"lblQTDQTDis", {"对讲机亚音频", "Set QT/DQT"}},
    {"lblQTDQTEncodeDis", {"对讲机QT/DQT编码", "QT/DQT Encode"}},
    {"lblQTDQTDecodeDis", {"对讲机QT/DQT解码", "QT/DQT Decode"}},
    {"lblForbidDis", {"遇忙禁发", "Busy Channel Lockout"}},
    {"lblShiftDis", {"拍频偏移", "Shift"}},
    {"lblTransPowerDis", {"对讲机的发射功率", "Transmit Power"}},
    {"lblScanDis", {"扫描功能", "Scan Function"}},
};

constexpr Named kToolbarToolTips[] = {
    {"FileNew", {"新建文件", "New File"}},
    {"FileOpen", {"打开文件", "Open File"}},
    {"FileSave", {"保存文件", "Save File"}},
    {"Read", {"从对讲机读数据", "Read data from Radio"}},
    {"Write", {"向对讲机写数据", "Write data to Radio"}},
    {"Com", {"设置通信口", "Set Communication Port"}},
    {"Help", {"帮助", "Help"}},
    {"Exit", {"退出", "Exit"}},
};

constexpr Named kStatusPanelToolTips[] = {
    {"statusNotice", {"提示当前状态", "Status"}},
    {"statusCom", {"通信端口", "Communication Port"}},
    {"statusAddress", {"文件路径", "File Path"}},
};

template <std::size_t N> const Bilingual* Find(const Named (&table)[N], std::string_view name) {
    const auto found = std::find_if(std::begin(table), std::end(table),
                                    [&](const Named& n) { return n.first == name; });
    return found == std::end(table) ? nullptr : &found->second;
}

} // namespace

Bilingual TextOf(Text text) {
    return kTexts[static_cast<std::size_t>(text)];
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
