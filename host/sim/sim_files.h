// Files for hosts built on the simulator: pictures read from and written to .bmp and .png
// files, and lists loaded from CSV. The command-line host and its tests use them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "figsim.h"

namespace figsim {

// ---- pictures ----
// A picture is a packed DIB, as a picture field holds it. Pictures of 1, 4 and 8 bits
// carry their colour table; files of other kinds are converted on reading (see the .cpp
// of each format). Failures leave a readable message in `error`.
bool ReadPictureFile(const std::string &path, std::vector<uint8_t> *picture, std::string *error);   // by extension
bool WritePictureFile(const std::string &path, const std::vector<uint8_t> &picture, std::string *error);
bool ReadBmpFile(const std::string &path, std::vector<uint8_t> *picture, std::string *error);
bool WriteBmpFile(const std::string &path, const std::vector<uint8_t> &picture, std::string *error);
bool ReadPngFile(const std::string &path, std::vector<uint8_t> *picture, std::string *error);
bool WritePngFile(const std::string &path, const std::vector<uint8_t> &picture, std::string *error);

// True for the extensions the picture files above understand (".bmp", ".png", any case).
bool IsPictureFileName(const std::string &path);

// A white picture: every pixel white, the depth's default colour table below 16 bits.
std::vector<uint8_t> MakeWhitePicture(int width, int height, int bitsPerPixel);

// ---- lists ----
// A list from CSV text: the first row names the columns; every further row is a line.
// Unquoted cells that read as numbers are numbers; a quoted cell, or one that does not
// start like a number, is text. A column holding any text is a text column (its cells
// all kept as text, as the host converts them); the others are number columns.
// Blank rows are skipped; a row may have fewer cells than the header, and more only when
// the extra ones are empty: spreadsheets end every row with a comma, the header too.
struct CsvError {
    int line = 0;    // 1-based; 0 when the file itself could not be read
    int column = 0;  // 1-based character position in the line
    std::string message;
};
struct CsvCell {
    std::string text;
    bool quoted = false;
    int line = 0, column = 0;
};
// A host's own rules for each row, applied before the row is stored: it may rewrite cells
// (a colour word into its number) or refuse the row with `error` set.
using CsvRowCheck = std::function<bool(std::vector<CsvCell> *row, CsvError *error)>;
bool ParseCsvList(std::string_view text, List *list, CsvError *error, const CsvRowCheck &check = {});
bool LoadCsvList(const std::string &path, List *list, CsvError *error, const CsvRowCheck &check = {});

}  // namespace figsim
