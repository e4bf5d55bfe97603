#include "packer/PictureRefs.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(PictureRefs, RewritesEveryQuotingStyleToCid) {
    PictureRefs refs(u"/docs"_s);
    const QString out =
        refs.rewrite(u"<p><img src=\"a.png\"><img alt='x' SRC='b.png'/><img src=c.png></p>"_s);
    ASSERT_EQ(refs.refs().size(), 3);
    EXPECT_EQ(out,
              u"<p><img src=\"cid:picture1.a.png@velmora\"><img alt='x' SRC=\"cid:picture2.b.png@velmora\"/>"
              u"<img src=\"cid:picture3.c.png@velmora\"></p>"_s);
    EXPECT_EQ(refs.refs().at(1).filePath, u"/docs/b.png"_s);
}

TEST(PictureRefs, LeavesOutsideAddressesAndTextAlone) {
    PictureRefs refs(u"/docs"_s);
    const QString page =
        u"<img src=\"http://example.org/a.png\"><img src=\"https://x/b.png\">"
        u"<img src=\"data:image/png;base64,AAAA\"><img src=\"cid:k@x\"><img src=\"//host/c.png\">"
        u"<img data-src=\"lazy.png\"><p>write src=\"d.png\" in a tag</p>"_s;
    EXPECT_EQ(refs.rewrite(page), page);
    EXPECT_TRUE(refs.refs().isEmpty());
}

TEST(PictureRefs, OnePartPerPictureAndPathsResolved) {
    PictureRefs refs(u"/docs/page"_s);
    const QString out = refs.rewrite(
        u"<img src=\"pics/t%20a.png\"><img src=\"pics/t%20a.png\"><img src=\"../up.png?v=2\">"_s);
    ASSERT_EQ(refs.refs().size(), 2);
    EXPECT_EQ(refs.refs().at(0).filePath, u"/docs/page/pics/t a.png"_s);
    EXPECT_EQ(refs.refs().at(0).contentId, u"picture1.t_a.png@velmora"_s);
    EXPECT_EQ(refs.refs().at(1).filePath, u"/docs/up.png"_s);
    EXPECT_EQ(out.count(u"cid:picture1.t_a.png@velmora"_s), 2);
}

TEST(PictureRefs, TellsOutsideAddressesFromLocalPaths) {
    EXPECT_TRUE(PictureRefs::isOutsideAddress(u"http://www.mof.gov.cn/"_s));
    EXPECT_TRUE(PictureRefs::isOutsideAddress(u"mailto:a@b"_s));
    EXPECT_FALSE(PictureRefs::isOutsideAddress(u"pictures/a.png"_s));
    EXPECT_FALSE(PictureRefs::isOutsideAddress(u"C:/pictures/a.png"_s));
    EXPECT_FALSE(PictureRefs::isOutsideAddress(u"/abs/a.png"_s));
}

TEST(PictureRefs, FindsLocalAddressesTheArchiveWouldLeaveDangling) {
    const QString page =
        u"<link rel=\"stylesheet\" href=\"style.css\"><a href=\"#plan\">计划</a>"
        u"<a href='other.html'>x</a><a href=https://www.mof.gov.cn/>财政部</a>"
        u"<div style=\"background: url(bg.png)\"></div><p style='background:url( "
        u"\"data:image/png;base64,AA\" )'>"
        u"<i style=\"background:url('cid:k@x')\"></i><b style=\"background:url(http://a/b.png)\">"_s;
    EXPECT_EQ(PictureRefs::unpackedReferences(page),
              (QStringList{u"style.css"_s, u"other.html"_s, u"bg.png"_s}));
    EXPECT_TRUE(PictureRefs::unpackedReferences(u"<a href=\"#top\">top</a><img src=\"a.png\">"_s).isEmpty());
}
