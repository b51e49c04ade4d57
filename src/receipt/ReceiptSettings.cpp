#include "receipt/ReceiptSettings.h"
#include "storage/engine/DbTransaction.h"
#include "storage/config/IniFile.h"
#include "storage/config/ProgramFolder.h"
#include "storage/config/SettingsStore.h"
#include "storage/values/Values.h"
#include <vector>

namespace {

// The pieces of a "|"-separated list; pieces beyond `count` are dropped and
// missing ones are empty.
std::vector<std::string> splitList(const std::string& text, std::size_t count) {
    std::vector<std::string> pieces;
    std::size_t begin = 0;
    while (pieces.size() < count) {
        std::size_t end = text.find('|', begin);
        pieces.push_back(
            text.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
        if (end == std::string::npos)
            break;
        begin = end + 1;
    }
    pieces.resize(count);
    return pieces;
}

} // namespace

ReceiptSettings loadReceiptSettings(Database& db, const IniFile& ini) {
    SettingsStore store(db);
    auto read = [&store](const char* key) { return store.get(key, ""); };
    ReceiptSettings s;
    s.receiptType = Values::textToInt(read("小票类型"));
    std::string width = s.receiptType == 0 ? ini.iniGet("58小票打印宽度", "480", true)
                                           : ini.iniGet("80小票打印宽度", "700", true);
    s.paperWidth = Values::textToInt(width);
    s.layoutMode = Values::textToInt(read("设置类型"));
    s.extraInfo[0].enabled = read("附带信息1勾选") == "1";
    if (s.extraInfo[0].enabled)
        s.extraInfo[0].text = read("附带信息1");
    s.extraInfo[1].enabled = read("附带信息2勾选") == "1";
    if (s.extraInfo[1].enabled)
        s.extraInfo[1].text = read("附带信息2");
    if (s.layoutMode != 0) {
        s.printTopPicture = read("顶部图片勾选") == "1";
        s.printBottomPicture = read("底部图片勾选") == "1";
        auto sizes = splitList(read("字体大小"), ReceiptSettings::lineGroupCount);
        auto bolds = splitList(read("勾选加粗"), ReceiptSettings::lineGroupCount);
        for (int i = 0; i < ReceiptSettings::lineGroupCount; ++i) {
            s.lineStyles[i].size = Values::textToInt(sizes[i]);
            s.lineStyles[i].bold = Values::textToInt(bolds[i]) != 0;
        }
    }
    s.copies = Values::textToInt(read("打印份数"));
    return s;
}

ReceiptSettings loadReceiptSettings(Database& db) {
    return loadReceiptSettings(db, IniFile(ProgramFolder::iniPath()));
}

void seedReceiptDefaults(Database& db, const IniFile& ini) {
    // One commit for all the keys: a first start writes a dozen of them.
    DbTransaction transaction(db);
    SettingsStore store(db);
    store.seedFirstStart();
    // A key that could not be looked up is left alone rather than added twice.
    const auto missing = [&store](const char* key) {
        const ReadResult<bool> found = store.exists(key);
        return found && !*found;
    };
    if (missing("附带信息1勾选")) {
        ini.iniGet("DH", "", false);
        store.insert("附带信息1勾选", "1");
        store.insert("附带信息2勾选", ini.iniGet("TX", "", false) == "Y" ? "1" : "0");
        std::string phone = ini.iniGet("DHH", "", false);
        store.insert("附带信息1", phone.empty() ? "订餐电话:1350000****" : phone);
        store.insert("附带信息2", ini.iniGet("QQ", "", false));
    }
    for (const char* key : {"顶部图片勾选", "底部图片勾选", "打印份数"})
        if (missing(key))
            store.set(key, "1");
    transaction.commit();
}

void seedReceiptDefaults(Database& db) {
    seedReceiptDefaults(db, IniFile(ProgramFolder::iniPath()));
}
