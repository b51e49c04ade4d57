#pragma once
#include <string>

// Letter codes: the initials a cashier types to find a dish by its name.
class LetterCode {
  public:
    // The letter code of a dish name (UTF-8): each GB2312 hanzi gives its pinyin
    // initial, ASCII passes through, other double-byte characters give nothing.
    static std::string deriveLetterCode(const std::string& name);

    // The same rule on the name's GBK bytes.
    static std::string fromGbk(const std::string& gbk);

    // The name in GBK; characters GBK cannot hold are left out.
    static std::string toGbk(const std::string& utf8);
};
