#include "settings/catalogue.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace tqm5 {
namespace {

// The two forms of a choice list while the catalogue is being built.
struct ChoiceLists {
  std::vector<std::string> en;
  std::vector<std::string> ja;
  bool language_dependent = false;
  bool refilled_every_switch = false;
};

// A list shown the same in both languages and put into its box once.
ChoiceLists Fixed(std::vector<std::string> texts) {
  ChoiceLists lists{texts, std::move(texts)};
  return lists;
}

// A list with equal texts in both languages that the language switch re-fills anyway.
ChoiceLists BothLanguages(std::vector<std::string> texts) {
  ChoiceLists lists = Fixed(std::move(texts));
  lists.language_dependent = true;
  return lists;
}

ChoiceLists ByLanguage(std::vector<std::string> en, std::vector<std::string> ja) {
  assert(en.size() == ja.size());
  return ChoiceLists{std::move(en), std::move(ja), true};
}

// "OFF", "ON" re-filled by every language switch.
ChoiceLists OffOnRefilled() {
  ChoiceLists lists = Fixed({"OFF", "ON"});
  lists.refilled_every_switch = true;
  return lists;
}

// `n` right-aligned with spaces in `width` characters; the drop-down lists line numbers up so.
std::string RightAligned(int n, int width) {
  std::string text = std::to_string(n);
  if (static_cast<int>(text.size()) < width) {
    text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
  }
  return text;
}

// `first` (when not empty), then from, from + step, ..., to, each right-aligned in `width`
// characters and followed by `unit`.
std::vector<std::string> Series(std::string first, int from, int to, int step, int width,
                                std::string_view unit) {
  std::vector<std::string> texts;
  if (!first.empty()) texts.push_back(std::move(first));
  for (int n = from; n <= to; n += step) texts.push_back(RightAligned(n, width).append(unit));
  return texts;
}

// The plain numbers first..last.
ChoiceLists Numbers(int first, int last) { return Fixed(Series("", first, last, 1, 0, "")); }

// The set-mode functions a key can be assigned to, in choice order. The byte the radio stores
// for choice i is entry i of `kKeyFunctionCodes`.
struct KeyFunctionText {
  const char* en;
  const char* ja;
};
constexpr KeyFunctionText kKeyFunctionTexts[] = {
    {"Language", "language／言語"},             // 0
    {"Illumination", "照明設定"},               // 1
    {"Dimmer", "明るさ設定"},                   // 2
    {"Screen contrast", "コントラスト設定"},    // 3
    {"Font size", "非操作側表示サイズ"},        // 4
    {"Font Bold", "フォント設定"},              // 5
    {"Opening string", "ｵｰﾌﾟﾆﾝｸﾞﾒｯｾｰｼﾞ"},       // 6
    {"Auto-power-off", "ｵｰﾄﾊﾟﾜｰｵﾌ"},            // 7
    {"BS ratio", "ﾊﾞｯﾃﾘｰｾｰﾌﾞ"},                 // 8
    {"Battery type", "電池の設定"},             // 9
    {"Beep Sound Lv.", "ビープ音量設定"},       // 10
    {"Pager", "ベル機能設定"},                  // 11
    {"End-beep", "エンドピー音"},               // 12
    {"VOX", "VOX設定"},                         // 13
    {"TOT", "TOT設定"},                         // 14
    {"TOT penalty", "TOTペナルティ機能"},       // 15
    {"BCLO", "BCLO機能"},                       // 16
    {"Tone-burst", "トーンコール"},             // 17
    {"Full-duplex", "同時送受信設定"},          // 18
    {"Auto rpt. set", "ｵｰﾄﾚﾋﾟｰﾀｰ設定"},         // 19
    {"Auto-dialer", "DTMFｵｰﾄﾀﾞｲﾔﾗｰ"},           // 20
    {"WAIT timing", "DTMF WAIT時間"},           // 21
    {"First-digit time", "DTMF一桁目ﾊﾞｰｽﾄ"},    // 22
    {"DTMF burst time", "DTMFﾊﾞｰｽﾄ時間"},       // 23
    {"DTMF pause time", "DTMFﾎﾟｰｽﾞ時間"},       // 24
    {"AM antenna", "バーアンテナ"},             // 25
    {"Clk noise shift", "クロックシフト"},      // 26
    {"Tone SQ pri", "TSQ･DCS優先設定"},         // 27
    {"DCS operation", "DCSタイプ設定"},         // 28
    {"TSF operation", "発信器探索音設定"},      // 29
    {"Receiver range", "運用周波数限定"},       // 30
    {"Preset mode", "ﾌﾟﾘｾｯﾄﾓｰﾄﾞ設定"},          // 31
    {"Bank-link", "ﾘﾝｸ設定"},                   // 32
    {"Overwrite", "ライトプロテクト"},          // 33
    {"Scan mode", "スキャンタイプ"},            // 34
    {"Scan skip", "スキップ設定"},              // 35
    {"Pri interval", "ﾌﾟﾗｲｵﾘﾃｨ待受時間"},       // 36
    {"Pri duration", "ﾌﾟﾗｲｵﾘﾃｨ停止時間"},       // 37
    {"Activate", "盗聴器発見機能"},             // 38
    {"Detect mode", "探索ﾓｰﾄﾞの種類"},          // 39
    {"Sensitivity", "検出感度"},                // 40
    {"Key lock mode", "キーロックモード"},      // 41
    {"Moni key mode", "MONIキー設定"},          // 42
    {"Moni operation", "MONIキー動作"},         // 43
    {"Moni active on", "MONIキー操作対象"},     // 44
    {"Mainband dial", "ダイヤル左右"},          // 45
    {"Dial ring", "ダイヤル上下"},              // 46
    {"Wild key assign", "WILDｷｰ設定"},          // 47
    {"Lamp key assign", "LAMPｷｰ設定"},          // 48
    {"Band transition", "バンド移動"},          // 49
    {"Set mode exit", "セットモード復帰時間"},  // 50
};

// The choices of the two key-assignment items.
ChoiceLists KeyFunctions() {
  ChoiceLists lists;
  lists.language_dependent = true;
  for (const KeyFunctionText& text : kKeyFunctionTexts) {
    lists.en.push_back(text.en);
    lists.ja.push_back(text.ja);
  }
  return lists;
}

// The 40 scan types: busy scan, timer scan of 1 to 25 seconds, then scans that resume after a
// fixed time.
ChoiceLists ScanModes() {
  std::vector<std::string> en = {"BUSY SCAN"};
  std::vector<std::string> ja = {"ﾋﾞｼﾞｰｽｷｬﾝ"};
  for (int n = 1; n <= 25; ++n) {
    en.push_back(RightAligned(n, 2) + "sec. timer");
    ja.push_back(RightAligned(n, 2) + "秒(ﾀｲﾏｰｽｷｬﾝ)");
  }
  for (const char* text :
       {"  1sec. elapse", "  2sec. elapse", "  3sec. elapse", "  4sec. elapse", "  5sec. elapse",
        " 10sec. elapse", " 15sec. elapse", " 30sec. elapse", "  1min. elapse", "1.5min. elapse",
        "  2min. elapse", "  3min. elapse", "  4min. elapse", "  5min. elapse"}) {
    en.push_back(text);
  }
  for (const char* text :
       {"  1秒(時間指定)", "  2秒(時間指定)", "  3秒(時間指定)", "  4秒(時間指定)",
        "  5秒(時間指定)", " 10秒(時間指定)", " 15秒(時間指定)", " 30秒(時間指定)",
        "  1分(時間指定)", "1.5分(時間指定)", "  2分(時間指定)", "  3分(時間指定)",
        "  4分(時間指定)", "  5分(時間指定)"}) {
    ja.push_back(text);
  }
  return ByLanguage(std::move(en), std::move(ja));
}

// Scan resume time of the VFO and memory scans: "Busy", then 1 to 25 seconds.
ChoiceLists ScanResume() { return Fixed(Series("Busy", 1, 25, 1, 2, "SEC")); }

// A time list: `en_first` / `ja_first` (when not empty), then the seconds from..to, right-aligned
// in `width` characters, followed by "sec." or "秒".
ChoiceLists Seconds(std::string en_first, std::string ja_first, int from, int to, int step,
                    int width) {
  return ByLanguage(Series(std::move(en_first), from, to, step, width, "sec."),
                    Series(std::move(ja_first), from, to, step, width, "秒"));
}

class CatalogueBuilder {
 public:
  CatalogueBuilder() : items_(kSettingCount), placed_(kSettingCount, false) {}

  void Add(SettingGroup group, int item, std::string_view caption_ja, std::string_view caption_en,
           ChoiceLists lists, int default_choice) {
    SettingId id{group, item};
    auto index = static_cast<size_t>(SettingIndex(id));
    assert(!placed_[index]);
    assert(default_choice >= 0 && default_choice < static_cast<int>(lists.en.size()));
    placed_[index] = true;
    items_[index] = SettingItem{id,
                                caption_ja,
                                caption_en,
                                std::move(lists.ja),
                                std::move(lists.en),
                                lists.language_dependent,
                                default_choice,
                                lists.refilled_every_switch};
  }

  std::vector<SettingItem> Finish() {
    assert(std::find(placed_.begin(), placed_.end(), false) == placed_.end());
    return std::move(items_);
  }

 private:
  std::vector<SettingItem> items_;
  std::vector<bool> placed_;
};

std::vector<SettingItem> BuildCatalogue() {
  using enum SettingGroup;
  CatalogueBuilder b;

  b.Add(kDisplay, 0, "language／言語", "language／言語", BothLanguages({"日本語", "English"}), 0);
  b.Add(kDisplay, 1, "照明設定", "Illumination",
        ByLanguage({"Always Lit", " 5sec.", "10sec.", "15sec.", "20sec.", "25sec.", "30sec.",
                    "Disable all", "Turn out"},
                   {"常灯", " 5秒", "10秒", "15秒", "20秒", "25秒", "30秒", "全て消灯", "消灯"}),
        1);
  b.Add(kDisplay, 2, "明るさ設定", "Dimmer", Fixed({"1", "2", "3", "4", "5"}), 0);
  b.Add(kDisplay, 3, "ｺﾝﾄﾗｽﾄ設定", "Screen contrast",
        Fixed({" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", "10"}), 7);
  b.Add(kDisplay, 4, "非操作側  表示サイズ", "Font size",
        ByLanguage({"Small", "Large"}, {"小", "大"}), 0);
  b.Add(kDisplay, 5, "フォント設定", "Font Bold",
        ByLanguage({"Bold all", "Op. band bold", "Op. band thin", "Thin all"},
                   {"太字", "操作バンド太字", "操作バンド細字", "細字"}),
        0);
  b.Add(kDisplay, 6, "音量表示形式", "Vol display type",
        ByLanguage({"Normal", "Center(Active)", "Center(Non act.)"},
                   {"右端に小さく", "中心(同バンド)", "中心(逆バンド)"}),
        0);
  b.Add(kDisplay, 7, "画面表示形式", "Display Type",
        ByLanguage({"Dual band", "Single band"}, {"ﾃﾞｭｱﾙﾊﾞﾝﾄﾞ表示", "ｼﾝｸﾞﾙﾊﾞﾝﾄﾞ表示"}), 0);
  b.Add(kDisplay, 8, "Ｓﾒｰﾀの種類", "S METER",
        ByLanguage({"Normal", "Simple"}, {"ノーマル", "シンプル"}), 1);
  // Two boxes under one caption.
  b.Add(kDisplay, 9, "チャンネル　スコープ表示", "CH scope Display", Fixed({"OFF", "ON"}), 0);
  b.Add(kDisplay, 10, "チャンネル　スコープ表示", "CH scope Display", Fixed({"OFF", "ON"}), 0);
  b.Add(kDisplay, 11, "バンク番号(Main)", "Bank No.(Main)", Numbers(0, 56), 0);
  b.Add(kDisplay, 12, "バンク番号(Sub)", "Bank No.(Sub)", Numbers(0, 56), 0);
  b.Add(kDisplay, 13, "テレビのCH", "TV CH", Numbers(1, 62), 0);
  b.Add(kDisplay, 14, "プリセットバンド(Main)", "Preset band(Main)", Fixed({"UHF", "1200MHz"}), 0);
  b.Add(kDisplay, 15, "プリセットバンド(Sub)", "Preset band(Sub)", Fixed({"AM", "FM", "TV"}), 0);

  b.Add(kPower, 0, "ｵｰﾄﾊﾟﾜｰｵﾌ", "Auto-power-off",
        ByLanguage({"OFF", "30 min.", "1 hour", "2 hrs.", "3 hrs.", "5 hrs.", "8 hrs."},
                   {"解除", "30分", "1時間", "2時間", "3時間", "5時間", "8時間"}),
        0);
  b.Add(kPower, 1, "ﾊﾞｯﾃﾘｰｾｰﾌﾞ", "BS ratio",
        ByLanguage(
            {"Batt. save off", "0.2 : 0.2", "0.2 : 0.4", "0.2 : 0.8", "0.2 : 1.2", "0.2 : 1.8"},
            {"OFF", "0.2秒:0.2秒", "0.2秒:0.4秒", "0.2秒:0.8秒", "0.2秒:1.2秒", "0.2秒:1.8秒"}),
        3);
  b.Add(kPower, 2, "電池の設定", "Battery type",
        ByLanguage({"Battery pack", "Dry battery"}, {"バッテリーパック", "乾電池"}), 0);

  b.Add(kSend, 0, "VOX設定", "VOX",
        ByLanguage({"OFF", "Internal mic", "Option mic"}, {"OFF", "内蔵マイク", "外部マイク"}), 0);
  b.Add(kSend, 1, "VOX感度", "VOX LEVEL", Numbers(0, 7), 0);
  b.Add(kSend, 2, "TOT設定", "TOT", Seconds("OFF", "無効", 30, 450, 30, 3), 0);
  b.Add(kSend, 3, "TOTﾍﾟﾅﾙﾃｨ機能", "TOT penalty", Seconds("OFF", "無効", 1, 15, 1, 2), 0);
  b.Add(kSend, 4, "BCLO機能", "BCLO", Fixed({"OFF", "ON"}), 0);
  b.Add(kSend, 5, "トーンコール", "Tone-burst",
        ByLanguage({"DISABLE", "CALL", "1000Hz", "1450Hz", "1750Hz", "2100Hz"},
                   {"無効", "CALL", "1000Hz", "1450Hz", "1750Hz", "2100Hz"}),
        0);
  b.Add(kSend, 6, "電波型式", "Modulation Mode", Fixed({"MANUAL", "AUTO"}), 0);
  b.Add(kSend, 7, "周波数ステップ", "Freq Step", Fixed({"MANUAL", "AUTO"}), 0);
  b.Add(kSend, 8, "アッテネーター", "ATT", BothLanguages({"OFF", "1", "2", "3", "4"}), 0);
  b.Add(kSend, 9, "同時送受信設定", "Full-duplex",
        ByLanguage({"Prohibited", "Permitted"}, {"禁止", "許可"}), 0);
  b.Add(kSend, 10, "144MHz帯送信出力", "144MHz TX Power",
        ByLanguage({"Low Power1", "Low Power2", "Middle Power", "High Power"},
                   {"ﾛｰﾊﾟﾜｰ1", "ﾛｰﾊﾟﾜｰ2", "ﾐﾄﾞﾙﾊﾟﾜｰ", "ﾊｲﾊﾟﾜｰ"}),
        0);
  b.Add(kSend, 11, "430MHz帯送信出力", "430MHz TX Power",
        ByLanguage({"Low Power1", "Low Power2", "Middle Power", "High Power"},
                   {"ﾛｰﾊﾟﾜｰ1", "ﾛｰﾊﾟﾜｰ2", "ﾐﾄﾞﾙﾊﾟﾜｰ", "ﾊｲﾊﾟﾜｰ"}),
        0);
  b.Add(kSend, 12, "1200MHz帯送信出力", "1200MHz TX Power",
        ByLanguage({"LOW POWER", "High Power"}, {"ﾛｰﾊﾟﾜｰ", "ﾊｲﾊﾟﾜｰ"}), 0);

  b.Add(kRepeater, 0, "ｵｰﾄﾚﾋﾟｰﾀｰ設定", "Auto rpt. set", BothLanguages({"OFF", "ON"}), 1);
  // Hidden, and always stored as 0, with the "J" variant.
  b.Add(kRepeater, 1, "Cross Band set", "Cross Band set", OffOnRefilled(), 0);

  b.Add(kRecv, 0, "バーアンテナ", "AM antenna", Fixed({"OFF", "ON"}), 0);
  b.Add(kRecv, 1, "クロックシフト", "Clk noise shift", Fixed({"OFF", "ON"}), 0);
  b.Add(kRecv, 2, "TSQ･DCS優先設定", "Tone SQ pri",
        ByLanguage({"Active band", "Main band", "Sub band"},
                   {"操作バンド優先", "メイン優先", "サブ優先"}),
        0);
  // The English "Nomal" is the radio menu's own spelling.
  b.Add(kRecv, 3, "DCSタイプ設定", "DCS operation",
        ByLanguage({"Nomal", "Keep"}, {"ノーマル", "キープ"}), 0);
  b.Add(kRecv, 4, "発信器探索音設定", "TSF operation",
        ByLanguage({"Always", "Temporary stop"}, {"常時", "一時休止"}), 0);
  b.Add(kRecv, 5, "運用周波数限定", "Receiver range",
        ByLanguage({"Wideband RX", "Amateur Bands"}, {"全周波数", "アマチュア限定"}), 0);
  b.Add(kRecv, 6, "スケルチ(Main)", "Squelch(Main)", Numbers(0, 9), 0);
  b.Add(kRecv, 7, "スケルチ(Sub)", "Squelch(Sub)", Numbers(0, 9), 0);

  b.Add(kScan, 0, "ｽｷｬﾝﾀｲﾌﾟ", "Scan mode", ScanModes(), 0);
  b.Add(kScan, 1, "スキップ設定", "Scan skip", ByLanguage({" OFF", " ON"}, {" 無効", " 有効"}), 1);
  b.Add(kScan, 2, "ﾌﾟﾗｲｵﾘﾃｨ待受時間", "Pri interval", Seconds("", "", 5, 60, 5, 2), 0);
  b.Add(kScan, 3, "ﾌﾟﾗｲｵﾘﾃｨ停止時間", "Pri duration", Seconds("BUSY", "ﾋﾞｼﾞｰ", 1, 25, 1, 2), 0);
  b.Add(kScan, 4, "VFOｽｷｬﾝ(Main)", "VFO SCAN(Main)", ScanResume(), 0);
  b.Add(kScan, 5, "VFOｽｷｬﾝ(Sub)", "VFO SCAN(Sub)", ScanResume(), 0);
  b.Add(kScan, 6, "ﾒﾓﾘｰｽｷｬﾝ(Main)", "Memory SCAN(Main)", ScanResume(), 0);
  b.Add(kScan, 7, "ﾒﾓﾘｰｽｷｬﾝ(Sub)", "Memory SCAN(Sub)", ScanResume(), 0);
  b.Add(kScan, 8, "ｽｷｬﾝ照明設定", "Scan lamp", Fixed({"OFF", "ON"}), 0);
  b.Add(kScan, 9, "ｽｷｬﾝﾃﾞｰﾀ出力", "Scan Data output", Fixed({"OFF", "ON"}), 0);

  b.Add(kSound, 0, "ﾋﾞｰﾌﾟ音量設定", "Beep sound Lv.", Fixed({"OFF", "1", "2", "3", "4"}), 2);
  b.Add(kSound, 1, "ベル機能設定", "Pager",
        ByLanguage({"OFF", "Main-band only", "Sub-band only", "Either band"},
                   {"無効", "ﾒｲﾝ受信時", "ｻﾌﾞ受信時", "どちらか受信時"}),
        0);
  b.Add(kSound, 2, "エンドピー音", "End-beep", Fixed({"OFF", "ON"}), 0);
  b.Add(kSound, 3, "マイクゲイン", "Mic Gain", Numbers(1, 4), 0);
  b.Add(kSound, 4, "音量(Main)", "VOL(Main)", Numbers(0, 20), 0);
  b.Add(kSound, 5, "音量(Sub)", "VOL(Sub)", Numbers(0, 20), 0);

  b.Add(kKey, 0, "ｷｰﾛｯｸﾓｰﾄﾞ", "Key lock mode",
        ByLanguage(
            {"PTT", "17-key pad", "Dials", "PTT + 17-key", "PTT + dials", "17-key + dials", "All"},
            {"PTTｷｰのみ", "ｷｰﾎﾞｰﾄﾞのみ", "ﾀﾞｲﾔﾙのみ", "PTT+ｷｰﾎﾞｰﾄﾞ", "PTT+ﾀﾞｲﾔﾙ", "ｷｰﾎﾞｰﾄﾞ+ﾀﾞｲﾔﾙ",
             "全て"}),
        5);
  b.Add(kKey, 1, "MONIキー設定", "Moni key mode", ByLanguage({"Monitor", "Mute"}, {"ﾓﾆﾀｰ", "ﾐｭｰﾄ"}),
        0);
  b.Add(kKey, 2, "MONIキー動作", "Moni operation", ByLanguage({"Push", "Hold"}, {"ﾌﾟｯｼｭ", "ﾎｰﾙﾄﾞ"}),
        0);
  b.Add(kKey, 3, "MONIキー操作対象", "Moni active on",
        ByLanguage({"Main-band only", "Sub-band only", "operating-band", "Both bands"},
                   {"ﾒｲﾝﾊﾞﾝﾄﾞ", "ｻﾌﾞﾊﾞﾝﾄﾞ", "操作ﾊﾞﾝﾄﾞ", "両ﾊﾞﾝﾄﾞ"}),
        0);
  b.Add(kKey, 4, "ダイヤル左右", "Mainband dial",
        ByLanguage({"L:MAIN / SUB:R", "L:SUB / MAIN:R"}, {"左:ﾒｲﾝ  ｻﾌﾞ:右", "左:ｻﾌﾞ  ﾒｲﾝ:右"}), 0);
  b.Add(kKey, 5, "ダイヤル上下", "Dial Ring",
        Fixed({"Freq:↑　Vol:↓", "Freq:↓　Vol:↑", "Squelch:↑　Freq:↓", "Squelch:↓　Freq:↑"}), 0);
  b.Add(kKey, 6, "WILDｷｰ設定", "Wild key assign", KeyFunctions(), 0);
  b.Add(kKey, 7, "LAMPｷｰ設定", "Lamp key assign", KeyFunctions(), 1);
  b.Add(kKey, 8, "バンド移動", "Band transition",
        ByLanguage({"NO", "YES"}, {"移動しない", "移動する"}), 0);
  b.Add(kKey, 9, "キーロック状態", "Key lock Type", Fixed({"OFF", "LOCK1", "LOCK2"}), 0);
  b.Add(kKey, 10, "対象操作バンド", "Op. band", Fixed({"Main", "Sub"}), 0);
  b.Add(kKey, 11, "MONIキー特殊機能", "Moni key TX",
        ByLanguage({"DISABLE", "Sub-band", "Main-band L pow.", "Main-band H pow."},
                   {"無効", "ｻﾌﾞﾊﾞﾝﾄﾞ", "ﾒｲﾝﾊﾞﾝﾄﾞﾛｰﾊﾟﾜｰ", "ﾒｲﾝﾊﾞﾝﾄﾞﾊｲﾊﾟﾜｰ"}),
        0);
  b.Add(kKey, 12, "ｾｯﾄﾓｰﾄﾞ復帰時間", "Set Mode Resume",
        ByLanguage(
            {"Manual", "5SEC", "10SEC", "15SEC", "30SEC", "1MIN", "1.5MIN", "2MIN", "3MIN", "4MIN",
             "5MIN"},
            {"手動", "5秒", "10秒", "15秒", "30秒", "1分", "1.5分", "2分", "3分", "4分", "5分"}),
        0);

  b.Add(kToutyou, 0, "探索ﾓｰﾄﾞの種類", "Detect mode",
        ByLanguage({"Silent", "Sound"}, {"サイレント", "サウンド"}), 0);
  b.Add(kToutyou, 1, "検出感度", "Sensitivity", Numbers(1, 5), 2);

  b.Add(kPreset, 0, "プリセットモード", "Preset mode",
        ByLanguage({"Activate", "Deactivate"}, {"表示する", "表示しない"}), 1);
  b.Add(kMem, 0, "Write Protect", "Write Protect", Fixed({"OFF", "ON", "一時解除"}), 0);
  b.Add(kChMode, 0, "ﾁｬﾝﾈﾙ表示ﾓｰﾄﾞ", "CH.Display Mode", OffOnRefilled(), 0);

  return b.Finish();
}

// Items first..last of a group, in order.
std::vector<SettingId> Items(SettingGroup group, int first, int last) {
  std::vector<SettingId> ids;
  for (int item = first; item <= last; ++item) ids.push_back(SettingId{group, item});
  return ids;
}

std::vector<SettingId> Join(std::initializer_list<std::vector<SettingId>> runs) {
  std::vector<SettingId> ids;
  for (const std::vector<SettingId>& run : runs) ids.insert(ids.end(), run.begin(), run.end());
  return ids;
}

std::vector<SettingHeading> BuildHeadings() {
  using enum SettingGroup;
  return {
      {kSetModeTab, "<SCREEN DISPLAY>", "≪表示設定≫", Items(kDisplay, 0, 5)},
      {kSetModeTab, "<POWER & BATT.>", "≪電源設定≫", Items(kPower, 0, 2)},
      {kSetModeTab, "<TRANSMITTER>", "≪送信設定≫", Items(kSend, 0, 5)},
      {kSetModeTab, "<REPEATER>", "≪レピーター設定≫", Items(kRepeater, 0, 1)},
      {kSetModeTab, "<RECEIVER>", "≪受信設定≫", Join({Items(kRecv, 0, 5), Items(kPreset, 0, 0)})},
      {kSetModeTab, "<SCANNING>", "≪ｽｷｬﾝ設定≫", Items(kScan, 0, 9)},
      {kSetModeTab, "<SOUND>", "≪音設定≫", Items(kSound, 0, 2)},
      {kSetModeTab, "<KEY ASSIGNMENT>", "≪キー操作設定≫", Items(kKey, 0, 12)},
      {kSetModeTab, "<BUG DETECTOR>", "≪盗聴器発見≫", Items(kToutyou, 0, 1)},
      {kSetModeTab, "MEMORY", "MEMORY", Items(kMem, 0, 0)},
      {kSetModeTab, "CH.Display Mode", "ﾁｬﾝﾈﾙ表示ﾓｰﾄﾞ", Items(kChMode, 0, 0)},
      // The common page's one heading gathers the tails of four groups.
      {kCommonSetTab, "Setting", "Setting",
       Join(
           {Items(kDisplay, 6, 15), Items(kSend, 6, 12), Items(kRecv, 6, 7), Items(kSound, 3, 5)})},
  };
}

// Items first..last of a group to `choice`.
void SetItems(SettingsChoices& settings, SettingGroup group, int first, int last, int16_t choice) {
  for (int item = first; item <= last; ++item) settings[SettingId{group, item}] = choice;
}

void SetGroup(SettingsChoices& settings, SettingGroup group, int16_t choice) {
  SetItems(settings, group, 0, kSettingGroupSizes[static_cast<size_t>(group)] - 1, choice);
}

}  // namespace

const std::vector<SettingItem>& SettingsCatalogue() {
  static const std::vector<SettingItem> catalogue = BuildCatalogue();
  return catalogue;
}

const SettingItem& CatalogueItem(SettingId id) {
  assert(id.item >= 0 && id.item < kSettingGroupSizes[static_cast<size_t>(id.group)]);
  return SettingsCatalogue()[static_cast<size_t>(SettingIndex(id))];
}

const std::vector<std::string>& SettingChoices(SettingId id, int language) {
  const SettingItem& item = CatalogueItem(id);
  return language == kJapanese ? item.choices_ja : item.choices_en;
}

std::string_view SettingCaption(SettingId id, int language) {
  const SettingItem& item = CatalogueItem(id);
  return language == kJapanese ? item.caption_ja : item.caption_en;
}

int SettingChoiceCount(SettingId id) {
  return static_cast<int>(CatalogueItem(id).choices_en.size());
}

const std::vector<SettingHeading>& SettingHeadings() {
  static const std::vector<SettingHeading> headings = BuildHeadings();
  return headings;
}

void ApplySettingsDefaults(SettingsChoices& settings) {
  using enum SettingGroup;
  // Group by group: the whole group to its usual default, then the exceptions.
  SetGroup(settings, kDisplay, 0);  // includes the language item: Japanese
  settings[{kDisplay, 1}] = 1;
  settings[{kDisplay, 3}] = 7;
  settings[{kDisplay, 8}] = 1;

  SetGroup(settings, kPower, 0);
  settings[{kPower, 1}] = 3;

  SetGroup(settings, kSend, 0);

  settings[{kRepeater, 0}] = 1;
  settings[{kRepeater, 1}] = 0;

  SetGroup(settings, kRecv, 0);
  settings[{kPreset, 0}] = 1;

  SetGroup(settings, kScan, 0);
  settings[{kScan, 1}] = 1;

  settings[{kSound, 0}] = 2;
  SetItems(settings, kSound, 1, 5, 0);

  settings[{kKey, 0}] = 5;
  SetItems(settings, kKey, 1, 12, 0);
  settings[{kKey, 7}] = 1;

  settings[{kToutyou, 0}] = 0;
  settings[{kToutyou, 1}] = 2;

  settings[kWriteProtectItem] = 0;
  settings[{kChMode, 0}] = 0;
}

}  // namespace tqm5
