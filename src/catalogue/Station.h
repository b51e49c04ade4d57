#pragma once
#include <string>

// A kitchen station of 出品部门: where its dishes' tickets print, and how.
struct Station {
    static constexpr const char* textMode = "文字";
    static constexpr const char* pictureMode = "图像";

    std::string name;
    std::string connection; // the stored form: tcp:HOST:PORT, dev:PATH or cups:QUEUE
    std::string mode = pictureMode;
    int copies = 1;
    int paperWidth = 80; // millimetres: 58 or 80

    bool printsText() const { return mode == textMode; }
    bool operator==(const Station&) const = default;
};
