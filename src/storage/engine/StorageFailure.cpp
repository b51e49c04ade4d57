#include "storage/engine/StorageFailure.h"

#include <algorithm>

namespace StorageFailures {

std::string reason(StorageFailure failure) {
    switch (failure) {
    case StorageFailure::DiskFull:
        return "磁盘空间已满，请清理磁盘后重试";
    case StorageFailure::ReadOnly:
        return "数据文件夹或数据库文件是只读的，无法写入，请检查它的权限";
    case StorageFailure::Damaged:
        return "数据库文件已损坏";
    case StorageFailure::Busy:
        return "数据库正被其他程序使用，请稍后重试";
    case StorageFailure::NulInText:
        return "内容中含有无法保存的空字符（NUL），请删除后重试";
    case StorageFailure::LaterVersion:
        return "数据库是较新版本的程序建立的，请先升级本程序";
    case StorageFailure::Unreachable:
        return "连接不上数据库服务器，请检查网络和服务器";
    case StorageFailure::Unconfirmed:
        return "保存时与数据库服务器的连接中断，无法确认是否已经保存";
    case StorageFailure::InvalidText:
        return "内容中含有无法识别的文字（不是有效的 UTF-8 编码），请改正后重试";
    case StorageFailure::None:
    case StorageFailure::Statement:
    case StorageFailure::NotOpen:
        break;
    }
    return {};
}

std::string failed(const std::string& what, StorageFailure failure, const std::string& unchanged) {
    const std::string why = reason(failure);
    return what + (why.empty() ? "失败，" : "失败：" + why + "。") + unchanged;
}

namespace {

bool isRefusedControl(unsigned char c) {
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F;
}

} // namespace

std::string textRefusal(std::initializer_list<Field> fields) {
    for (const auto& [caption, text] : fields) {
        if (text->find('\0') != std::string::npos)
            return std::string("“") + caption + "”中含有无法保存的空字符（NUL），请删除后重试。";
        if (std::any_of(text->begin(), text->end(),
                        [](char c) { return isRefusedControl(static_cast<unsigned char>(c)); }))
            return std::string("“") + caption +
                   "”中含有控制字符（打印机会把它当作指令），请删除后重试。";
    }
    return {};
}

} // namespace StorageFailures
