#include "receipt/ReceiptSettingsForm.h"

#include "printer/PngImage.h"
#include "storage/values/SafeFile.h"
#include "storage/config/SettingsStore.h"
#include "storage/engine/StorageFailure.h"
#include "storage/values/Values.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

// The first kLineGroups pieces of a "|"-joined list; missing pieces are empty.
std::array<std::string, ReceiptSettingsForm::kLineGroups> splitList(const std::string& text) {
    std::array<std::string, ReceiptSettingsForm::kLineGroups> pieces;
    std::size_t start = 0;
    for (auto& piece : pieces) {
        if (start > text.size())
            break;
        const std::size_t bar = text.find('|', start);
        const std::size_t end = bar == std::string::npos ? text.size() : bar;
        piece = text.substr(start, end - start);
        start = bar == std::string::npos ? text.size() + 1 : bar + 1;
    }
    return pieces;
}

std::string flag(bool on) {
    return on ? "1" : "0";
}

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

ReceiptSettingsForm ReceiptSettingsForm::load(const SettingsStore& store,
                                              const std::string& dataFolder) {
    ReceiptSettingsForm form;
    // Any non-zero stored value means the 80 mm paper and the custom layout.
    form.receiptType = Values::textToInt(store.get("小票类型", "")) != 0 ? 1 : 0;
    form.layoutMode = Values::textToInt(store.get("设置类型", "")) != 0 ? 1 : 0;
    form.extra1Enabled = store.get("附带信息1勾选", "") == "1";
    form.extra2Enabled = store.get("附带信息2勾选", "") == "1";
    form.extra1Text = store.get("附带信息1", extra1Initial());
    form.extra2Text = store.get("附带信息2", extra2Initial());
    form.printTopPicture = store.get("顶部图片勾选", "") == "1";
    form.printBottomPicture = store.get("底部图片勾选", "") == "1";
    form.copies = store.get("打印份数", "");
    form.fontSizes = splitList(store.get("字体大小", ""));
    const auto boldPieces = splitList(store.get("勾选加粗", ""));
    for (int i = 0; i < kLineGroups; ++i)
        form.bold[i] = Values::textToInt(boldPieces[i]) != 0;
    form.topPicture.bytes = readFile(dataFolder + "/" + pictureFileName(Picture::Top));
    form.bottomPicture.bytes = readFile(dataFolder + "/" + pictureFileName(Picture::Bottom));
    form.printer = PrinterSettings::load(store);
    return form;
}

std::string ReceiptSettingsForm::correctedCopies(const std::string& text) {
    return Values::textToInt(text) < kMinCopies ? std::to_string(kMinCopies) : text;
}

std::optional<int> ReceiptSettingsForm::validate() {
    const int count = Values::textToInt(copies);
    if (count < kMinCopies)
        copies = std::to_string(kMinCopies);
    else if (count > kMaxCopies)
        copies = std::to_string(kMaxCopies);
    for (int i = 0; i < kLineGroups; ++i) {
        const int size = Values::textToInt(fontSizes[i]);
        if (size < kMinFontSize || size > kMaxFontSize)
            return i;
    }
    return std::nullopt;
}

std::string ReceiptSettingsForm::save(SettingsStore& store, const std::string& dataFolder) const {
    if (std::string nul =
            StorageFailures::textRefusal({{"附带信息1", &extra1Text}, {"附带信息2", &extra2Text}});
        !nul.empty())
        return nul;
    for (const Picture which : {Picture::Top, Picture::Bottom}) {
        const PictureChoice& choice = which == Picture::Top ? topPicture : bottomPicture;
        if (!choice.path.empty() && !choice.bytes.empty())
            SafeFile::replace(
                dataFolder + "/" + pictureFileName(which),
                {reinterpret_cast<const char*>(choice.bytes.data()), choice.bytes.size()});
    }
    std::string sizes;
    std::string bolds;
    for (int i = 0; i < kLineGroups; ++i) {
        const std::string bar = i == 0 ? "" : "|";
        sizes += bar + std::to_string(Values::textToInt(fontSizes[i]));
        bolds += bar + flag(bold[i]);
    }
    const bool stored = store.allOrNothing([&] {
        return store.setAll({{"小票类型", std::to_string(receiptType)},
                             {"设置类型", std::to_string(layoutMode)},
                             {"附带信息1勾选", flag(extra1Enabled)},
                             {"附带信息2勾选", flag(extra2Enabled)},
                             {"附带信息1", extra1Text},
                             {"附带信息2", extra2Text},
                             {"顶部图片勾选", flag(printTopPicture)},
                             {"底部图片勾选", flag(printBottomPicture)},
                             {"打印份数", std::to_string(Values::textToInt(copies))},
                             {"字体大小", sizes},
                             {"勾选加粗", bolds}}) &&
               printer.save(store);
    });
    return stored ? std::string() : store.failureMessage("保存打印设置");
}

std::optional<ReceiptSettingsForm::PictureChoice>
ReceiptSettingsForm::readPicture(const std::string& path) {
    std::vector<unsigned char> bytes = readFile(path);
    if (PngImage::fromBytes(bytes.data(), bytes.size()).isNull())
        return std::nullopt;
    return PictureChoice{path, std::move(bytes)};
}

std::string ReceiptSettingsForm::pictureFileName(Picture which) {
    return which == Picture::Top ? "stp.png" : "xtp.png";
}

const std::array<std::string, ReceiptSettingsForm::kLineGroups>&
ReceiptSettingsForm::lineGroupLabels() {
    static const std::array<std::string, kLineGroups> labels = {
        "票头：", "店铺名称：", "支付方式：", "下单时间：", "表单标题：",    "表单内容：",
        "合计：", "减免标题：", "减免内容：", "已支付：",   "桌号送餐信息："};
    return labels;
}

std::string ReceiptSettingsForm::fontSizeNote() {
    return "字体大小允许的设定范围 " + std::to_string(kMinFontSize) + "-" +
           std::to_string(kMaxFontSize);
}

std::string ReceiptSettingsForm::fontSizeMessage() {
    return "字体大小超出设定，请将字体大小控制在数值 " + std::to_string(kMinFontSize) + "-" +
           std::to_string(kMaxFontSize) + " 的范围内。";
}

std::string ReceiptSettingsForm::connectionMessage() {
    return "打印机连接写得不对。请写成 tcp:地址:端口（网络打印机）、dev:设备文件（USB或串口打印机）"
           "或 cups:队列名，例如 tcp:192.168.1.100:9100。";
}
