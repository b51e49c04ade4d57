#pragma once

class PngImage;

// A picture as placed on a receipt: the image and its size in canvas units.
// Without an image it draws nothing and takes no space.
struct ReceiptPicture {
    const PngImage* image = nullptr;
    int width = 0;
    int height = 0;

    bool present() const { return image != nullptr; }
};
