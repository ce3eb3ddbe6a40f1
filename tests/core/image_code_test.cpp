#include "core/helpers/image_code.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

// The logo of the examples: d:\site\pics\logo.gif in the site of d:\site\index.htm, 88 x 31.
ImageOptions logo() {
    ImageOptions o;
    o.file = "D:\\Site\\Pics\\Logo.GIF";
    o.documentPath = "d:\\site\\index.htm";
    return o;
}

TEST(ImageCode, SampleAndOutput) {
    const struct {
        const char* name;
        std::function<void(ImageOptions&)> set;
        PathStyle style;
        QString sample, output; // output empty: as the sample
    } rows[] = {
        {"a fresh window with no file chosen", [](ImageOptions& o) { o = ImageOptions(); },
         PathStyle::Windows, "<IMG src=\"\" border=0>", ""},
        {"the 88 x 31 logo with alt, left and its size",
         [](ImageOptions& o) {
             o.alt = o.heightWidth = true;
             o.align = "left";
             o.measured = QSize(88, 31);
         },
         PathStyle::Windows,
         "<IMG src=\"pics/logo.gif\" alt=\"\" border=0 align=left height=31 width=88>", ""},
        {"border 1 is the default and left out", [](ImageOptions& o) { o.border = "1"; },
         PathStyle::Windows, "<IMG src=\"pics/logo.gif\">", ""},
        {"border 2", [](ImageOptions& o) { o.border = "2"; }, PathStyle::Windows,
         "<IMG src=\"pics/logo.gif\" border=2>", ""},
        {"alignment default writes none", [](ImageOptions& o) { o.align = "default"; },
         PathStyle::Windows, "<IMG src=\"pics/logo.gif\" border=0>", ""},
        {"hspace and vspace wait for their values, after the size",
         [](ImageOptions& o) {
             o.hspace = o.vspace = o.heightWidth = true;
             o.measured = QSize(88, 31);
         },
         PathStyle::Windows,
         "<IMG src=\"pics/logo.gif\" border=0 height=31 width=88 hspace= vspace=>", ""},
        {"a size that could not be measured is left out",
         [](ImageOptions& o) { o.heightWidth = true; }, PathStyle::Windows,
         "<IMG src=\"pics/logo.gif\" border=0>", ""},
        {"no size without a file, whatever was measured before",
         [](ImageOptions& o) {
             o.file.clear();
             o.heightWidth = true;
             o.measured = QSize(88, 31);
         },
         PathStyle::Windows, "<IMG src=\"\" border=0>", ""},
        {"background mode, relative: the attribute alone",
         [](ImageOptions& o) {
             o.background = o.alt = true;
             o.align = "left";
         },
         PathStyle::Windows, "background=\"pics/logo.gif\"", ""},
        {"absolute: the plain path shown, a file URL inserted",
         [](ImageOptions& o) { o.path = PathMode::Absolute; }, PathStyle::Windows,
         "<IMG src=\"d:/site/pics/logo.gif\" border=0>",
         "<IMG src=\"file:///d|/site/pics/logo.gif\" border=0>"},
        {"a never-saved document falls back to the absolute form",
         [](ImageOptions& o) { o.documentPath.clear(); }, PathStyle::Windows,
         "<IMG src=\"d:/site/pics/logo.gif\" border=0>",
         "<IMG src=\"file:///d|/site/pics/logo.gif\" border=0>"},
        {"a file outside the document's folder falls back to the absolute form",
         [](ImageOptions& o) { o.file = "D:\\Art\\Logo.GIF"; }, PathStyle::Windows,
         "<IMG src=\"d:/art/logo.gif\" border=0>",
         "<IMG src=\"file:///d|/art/logo.gif\" border=0>"},
        {"a POSIX path keeps its case",
         [](ImageOptions& o) {
             o.file = "/home/ann/Site/Pics/Logo.GIF";
             o.documentPath = "/home/ann/Site/index.htm";
         },
         PathStyle::Posix, "<IMG src=\"Pics/Logo.GIF\" border=0>", ""},
        {"a quotation mark in a name cannot end the attribute",
         [](ImageOptions& o) {
             o.file = "/site/say\"hi\".png";
             o.documentPath = "/site/index.htm";
         },
         PathStyle::Posix, "<IMG src=\"say%22hi%22.png\" border=0>", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ImageOptions o = logo();
        row.set(o);
        const ImageCode code = imageGenerator(o, row.style);
        EXPECT_EQ(code.sample, row.sample);
        EXPECT_EQ(code.output, row.output.isEmpty() ? row.sample : row.output);
    }
}

} // namespace
} // namespace vellum
