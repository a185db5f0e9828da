#include "png_writer.h"

#include "dib_layout.h"
#include "sim_files.h"

namespace wine_compare {

bool WritePng(const std::string& path, const RgbImage& image, int scale) {
    if (image.width <= 0 || image.height <= 0 || scale <= 0) return false;
    std::vector<uint8_t> picture = figsim::MakePackedDib(image.width * scale, image.height * scale, 24);
    figsim::DibLayout layout;
    if (!figsim::ReadDibLayout(picture, &layout)) return false;
    for (int y = 0; y < layout.height; ++y) {
        const uint32_t* in = image.pixels.data() + static_cast<size_t>(y / scale) * static_cast<size_t>(image.width);
        uint8_t* bgr = picture.data() + layout.RowOffset(y);
        for (int x = 0; x < layout.width; ++x, bgr += 3) {
            const uint32_t rgb = in[x / scale];
            bgr[0] = static_cast<uint8_t>(rgb);
            bgr[1] = static_cast<uint8_t>(rgb >> 8);
            bgr[2] = static_cast<uint8_t>(rgb >> 16);
        }
    }
    std::string error;
    return figsim::WritePngFile(path, picture, &error);
}

}  // namespace wine_compare
