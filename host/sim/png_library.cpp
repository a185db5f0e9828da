// libpng, opened at the first PNG file rather than with the program.
//
// Loading libpng and the zlib behind it costs every figplot start, and most runs (info,
// bitmap files, --help) read or write no PNG. Each libpng function the simulator calls is
// defined here under its own name and forwards to the library opened on first use; png.h
// still declares every type and prototype (png_jmpbuf expands to png_set_longjmp_fn, so that
// one is forwarded too). PNG files are read and written only after OpenPngLibrary succeeds,
// so the failure values below are never what a caller sees.
#include <dlfcn.h>
#include <png.h>

#include <cstdlib>

#include "png_library.h"

namespace {

constexpr const char *kLibraryName = "libpng16.so.16";

struct Library {
    void *handle = nullptr;
    std::string failure;  // dlerror's text when the library cannot be opened
};

// Never closed: a decoder may run on any thread until the process ends.
const Library &Opened() {
    static const Library library = [] {
        Library opened;
        opened.handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
        if (!opened.handle) {
            const char *why = dlerror();
            opened.failure = why ? why : kLibraryName;
        }
        return opened;
    }();
    return library;
}

void *Symbol(const char *name) {
    void *handle = Opened().handle;
    return handle ? dlsym(handle, name) : nullptr;
}

}  // namespace

namespace figsim {

bool OpenPngLibrary(std::string *error) {
    if (Opened().handle) return true;
    *error = "PNG files need libpng (" + Opened().failure + ")";
    return false;
}

}  // namespace figsim

// Each forwarder resolves its function once; a static's initialisation is thread-safe.
#define FIG_PNG(result, name, failure, params, args)                                      \
    result name params {                                                                  \
        static const auto real = reinterpret_cast<decltype(&name)>(Symbol(#name));        \
        return real ? real args : failure;                                                \
    }
#define FIG_PNG_VOID(name, params, args)                                                  \
    void name params {                                                                    \
        static const auto real = reinterpret_cast<decltype(&name)>(Symbol(#name));        \
        if (real) real args;                                                              \
    }
// libpng's error calls never return: without the library there is nowhere to jump to.
#define FIG_PNG_NORETURN(name, params, args)                                              \
    void name params {                                                                    \
        static const auto real = reinterpret_cast<decltype(&name)>(Symbol(#name));        \
        if (real) real args;                                                              \
        std::abort();                                                                     \
    }

FIG_PNG(int, png_sig_cmp, 1, (png_const_bytep sig, size_t start, size_t count), (sig, start, count))
FIG_PNG(png_structp, png_create_read_struct, nullptr,
        (png_const_charp version, png_voidp error_ptr, png_error_ptr error_fn, png_error_ptr warn_fn),
        (version, error_ptr, error_fn, warn_fn))
FIG_PNG(png_structp, png_create_write_struct, nullptr,
        (png_const_charp version, png_voidp error_ptr, png_error_ptr error_fn, png_error_ptr warn_fn),
        (version, error_ptr, error_fn, warn_fn))
FIG_PNG(png_infop, png_create_info_struct, nullptr, (png_const_structrp png), (png))
FIG_PNG_VOID(png_destroy_read_struct, (png_structpp png, png_infopp info, png_infopp end_info), (png, info, end_info))
FIG_PNG_VOID(png_destroy_write_struct, (png_structpp png, png_infopp info), (png, info))
FIG_PNG(jmp_buf *, png_set_longjmp_fn, nullptr, (png_structrp png, png_longjmp_ptr longjmp_fn, size_t jmp_buf_size),
        (png, longjmp_fn, jmp_buf_size))
FIG_PNG_NORETURN(png_longjmp, (png_const_structrp png, int value), (png, value))
FIG_PNG_NORETURN(png_error, (png_const_structrp png, png_const_charp message), (png, message))
FIG_PNG(png_voidp, png_get_io_ptr, nullptr, (png_const_structrp png), (png))
FIG_PNG(png_voidp, png_get_error_ptr, nullptr, (png_const_structrp png), (png))
FIG_PNG_VOID(png_set_read_fn, (png_structrp png, png_voidp io, png_rw_ptr read), (png, io, read))
FIG_PNG_VOID(png_set_write_fn, (png_structrp png, png_voidp io, png_rw_ptr write, png_flush_ptr flush),
             (png, io, write, flush))
FIG_PNG_VOID(png_set_user_limits, (png_structrp png, png_uint_32 width, png_uint_32 height), (png, width, height))

// Reading.
FIG_PNG_VOID(png_read_info, (png_structrp png, png_inforp info), (png, info))
FIG_PNG(png_byte, png_get_color_type, 0, (png_const_structrp png, png_const_inforp info), (png, info))
FIG_PNG(png_byte, png_get_bit_depth, 0, (png_const_structrp png, png_const_inforp info), (png, info))
FIG_PNG(png_uint_32, png_get_valid, 0, (png_const_structrp png, png_const_inforp info, png_uint_32 flag),
        (png, info, flag))
FIG_PNG(png_uint_32, png_get_image_width, 0, (png_const_structrp png, png_const_inforp info), (png, info))
FIG_PNG(png_uint_32, png_get_image_height, 0, (png_const_structrp png, png_const_inforp info), (png, info))
FIG_PNG(png_uint_32, png_get_PLTE, 0, (png_const_structrp png, png_inforp info, png_colorp *palette, int *count),
        (png, info, palette, count))
FIG_PNG(png_uint_32, png_get_tRNS, 0,
        (png_const_structrp png, png_inforp info, png_bytep *alpha, int *count, png_color_16p *colour),
        (png, info, alpha, count, colour))
FIG_PNG_VOID(png_set_strip_16, (png_structrp png), (png))
FIG_PNG_VOID(png_set_packing, (png_structrp png), (png))
FIG_PNG_VOID(png_set_expand, (png_structrp png), (png))
FIG_PNG_VOID(png_set_gray_to_rgb, (png_structrp png), (png))
FIG_PNG_VOID(png_set_filler, (png_structrp png, png_uint_32 filler, int flags), (png, filler, flags))
FIG_PNG(int, png_set_interlace_handling, 1, (png_structrp png), (png))
FIG_PNG_VOID(png_read_update_info, (png_structrp png, png_inforp info), (png, info))
FIG_PNG(size_t, png_get_rowbytes, 0, (png_const_structrp png, png_const_inforp info), (png, info))
FIG_PNG_VOID(png_read_image, (png_structrp png, png_bytepp rows), (png, rows))
FIG_PNG_VOID(png_read_end, (png_structrp png, png_inforp info), (png, info))

// Writing.
FIG_PNG_VOID(png_set_IHDR,
             (png_const_structrp png, png_inforp info, png_uint_32 width, png_uint_32 height, int bit_depth,
              int colour_type, int interlace, int compression, int filter),
             (png, info, width, height, bit_depth, colour_type, interlace, compression, filter))
FIG_PNG_VOID(png_set_PLTE, (png_structrp png, png_inforp info, png_const_colorp palette, int count),
             (png, info, palette, count))
FIG_PNG_VOID(png_write_info, (png_structrp png, png_const_inforp info), (png, info))
FIG_PNG_VOID(png_write_image, (png_structrp png, png_bytepp rows), (png, rows))
FIG_PNG_VOID(png_write_end, (png_structrp png, png_inforp info), (png, info))
