#include "ui/JpegLoader.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <sys/mman.h>

namespace ui {
namespace {

// libjpeg reports fatal errors through error_exit, which by default ends the process; ours
// keeps the message and jumps back into decodeJpeg.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    manager->base.format_message(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void onMessage(j_common_ptr) {} // warnings (e.g. extraneous bytes) are not worth a console line

// Pictures larger than this are refused instead of allocating gigabytes for a forged header.
constexpr JDIMENSION kMaxSide = 16384;

// A large picture is written into memory that takes its first touch in huge pages where the
// system allows it: a splash screen otherwise costs hundreds of page faults, a good part of the
// program's start-up.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

QImage newImage(int width, int height, QImage::Format format) {
    const auto bytesPerLine = static_cast<std::size_t>(width) * 4;
    const std::size_t size = bytesPerLine * static_cast<std::size_t>(height);
    if (format != QImage::Format_RGB32 || size < kHugePage / 2) return QImage(width, height, format);
    void* memory = std::aligned_alloc(kHugePage, (size + kHugePage - 1) / kHugePage * kHugePage);
    if (!memory) return {};
    ::madvise(memory, size, MADV_HUGEPAGE); // only advice: without huge pages, ordinary ones
    return QImage(static_cast<uchar*>(memory), width, height, static_cast<qsizetype>(bytesPerLine), format,
                  std::free, memory);
}

} // namespace

common::Outcome<QImage> decodeJpeg(const QByteArray& bytes) {
    if (bytes.isEmpty()) return common::Failure{QStringLiteral("empty JPEG data")};

    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.output_message = onMessage;

    // Everything setjmp must see unchanged after a longjmp lives outside this frame's registers.
    static thread_local QImage image;
    image = QImage();
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        image = QImage();
        return common::Failure{QString::fromLocal8Bit(errors.message)};
    }

    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width > kMaxSide || info.image_height > kMaxSide) {
        jpeg_destroy_decompress(&info);
        return common::Failure{QStringLiteral("JPEG picture too large")};
    }
#if defined(JCS_EXTENSIONS) && Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    // libjpeg-turbo writes QImage's 32-bit layout directly, saving a conversion pass.
    info.out_color_space = JCS_EXT_BGRX;
    constexpr QImage::Format kFormat = QImage::Format_RGB32;
#else
    info.out_color_space = JCS_RGB;
    constexpr QImage::Format kFormat = QImage::Format_RGB888;
#endif
    jpeg_start_decompress(&info);

    image = newImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), kFormat);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        return common::Failure{QStringLiteral("out of memory for the JPEG picture")};
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);

    QImage result = image.convertToFormat(QImage::Format_RGB32); // no copy when already RGB32
    image = QImage();
    return result;
}

} // namespace ui
