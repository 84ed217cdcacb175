// Real chapters of the default library rendered offscreen: Genesis 1, Psalm 119 in
// paragraph reading, John 3 with Strong's links and a page of search hits. Each is
// checked for what the page must hold and saved as a picture beside the test results
// (test-artefacts/views), for people to look at; the pictures are not compared.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <QTest>

#include "engine/bible_search.h"
#include "tests/views/view_fixtures.h"
#include "views/bible_view.h"
#include "views/hover_popup.h"

namespace kvx {
namespace {

using test::kGenesis;
using test::kJohn;
using test::kPsalms;
using test::Verse;

class ChapterPictures : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = test::DefaultLibrary();
        if (!library_) GTEST_SKIP() << "no default library with Strong's data; build it with kvx build-library";
        test::ResetSettings();
        Settings().BibleText.MainFont = "DejaVu Serif";
        Settings().BibleText.MainSize = 11;
        view_ = std::make_unique<TFrameBibleView>(&host_);
        view_->SetLibrary(*library_);
        view_->resize(900, 700);
        view_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
    }

    int Tab(const std::string& abbreviation) const {
        for (size_t i = 0; i < library_->BibleModules().size(); ++i)
            if (library_->BibleModules()[i]->Abbreviation() == abbreviation) return static_cast<int>(i);
        return -1;
    }
    QString Page() const { return view_->TextView()->Source(); }
    int Count(const QString& pattern) const {
        return static_cast<int>(Page().count(QRegularExpression(pattern)));
    }

    // Saves the pane and checks that the text is drawn: a good share of its pixels
    // differ from the background.
    void Picture(const std::string& name) {
        const QImage image = view_->grab().toImage();
        ASSERT_TRUE(image.save(QString::fromStdString(test::ArtefactFolder() + name + ".png")));
        const QWidget* viewport = view_->Text()->viewport();
        const QRect area(viewport->mapTo(view_.get(), QPoint(0, 0)), viewport->size());
        const QRgb background = image.pixel(area.right() - 2, area.bottom() - 2);
        int drawn = 0, total = 0;
        for (int y = area.top(); y < area.bottom(); y += 2)
            for (int x = area.left(); x < area.right(); x += 2, ++total)
                if (image.pixel(x, y) != background) ++drawn;
        EXPECT_GT(drawn, total / 50) << name << ": " << drawn << " of " << total;
    }

    TModuleLibrary* library_ = nullptr;
    test::TRecordingHost host_;
    std::unique_ptr<TFrameBibleView> view_;
};

TEST_F(ChapterPictures, Genesis1InColumns) {
    view_->GoToVerse(Verse(kGenesis, 1, 1));
    EXPECT_EQ(Count(QStringLiteral("<a name=\"#\\d+\"><b>Ge&nbsp;1:\\d+</b></a>")), 31);
    EXPECT_TRUE(Page().contains(QStringLiteral("In the beginning God created the heaven and the earth.")));
    EXPECT_GT(Count(QStringLiteral("<a href=\"lc:\\d+,\\d+\">")), 20);  // the commentaries speak of most verses
    EXPECT_TRUE(Page().contains(QStringLiteral("<a href=\"lp:32\">Next Chapter</a>")));
    EXPECT_EQ(Count(QStringLiteral("href=\"[hg]:")), 0);
    Picture("genesis-1");
}

TEST_F(ChapterPictures, Psalm119InParagraphs) {
    view_->Action("ActionToggleParaMode")->trigger();
    view_->GoToVerse(Verse(kPsalms, 119, 1));
    EXPECT_EQ(view_->ChapterVerses().size(), 176u);
    EXPECT_EQ(Count(QStringLiteral("<a name=\"#\\d+\"><sup>\\d+</sup></a>")), 176);
    int starts = 0;
    for (uint16_t v : view_->ChapterVerses()) starts += library_->ParagraphMap().IsParagraphStart(v) ? 1 : 0;
    EXPECT_EQ(Count(QStringLiteral("<p>&nbsp;&nbsp;&nbsp;<a name=")), starts);
    EXPECT_EQ(Count(QStringLiteral("href=\"l[cd]:")), 0);
    EXPECT_TRUE(Page().contains(QStringLiteral("L<font size=-1>ORD</font>")));
    Picture("psalm-119-paragraphs");
}

TEST_F(ChapterPictures, John3WithStrongsLinks) {
    view_->SelectBibleTab(Tab("KJVSL"));
    view_->GoToVerse(Verse(kJohn, 3, 16));
    EXPECT_GT(Count(QStringLiteral("<a href=\"g:\\d+\"><font face=\"Gentium Plus\"")), 300);
    EXPECT_TRUE(Page().contains(QStringLiteral("<a href=\"g:2316\">")));  // God
    const QString article = view_->TextView()->PopupText(QStringLiteral("g:2316"));
    EXPECT_TRUE(article.contains(QStringLiteral("Strong's Greek Definition #2316"))) << article.toStdString();
    Picture("john-3-strongs");
    THoverPopup& popup = *view_->TextView()->Popup();
    popup.ShowNow(article, view_->mapToGlobal(QPoint(200, 200)));
    EXPECT_TRUE(popup.isVisible());
    EXPECT_GT(popup.height(), 60);
    EXPECT_LE(popup.width(), 480);
    EXPECT_TRUE(popup.grab().save(QString::fromStdString(test::ArtefactFolder() + "strongs-popup.png")));
}

TEST_F(ChapterPictures, SearchHitsInAVerseList) {
    TZBBibleModule& kjv = *library_->KJVBible();
    TVerseList found;
    TZBSearchKeysData keys;
    kjv.SearchQuery("love", 0, found, -1, -1, keys);
    ASSERT_GT(found.size(), 200u);
    TFrameTextView& text = *view_->TextView();
    text.SetPaged(true);
    text.SetBible(&kjv);
    EXPECT_EQ(text.ShowVerses(found, true, keys), 100);
    EXPECT_GE(text.SearchKeyCount(), 100);
    EXPECT_EQ(Count(QStringLiteral("<a name=\"skey\\d+\">")), text.SearchKeyCount());
    EXPECT_EQ(Count(QStringLiteral("<a href=\"lp:\\d+\"><b>")), 100);
    EXPECT_TRUE(Page().contains(QStringLiteral("Showing 1 to 100 of %1.").arg(found.size())));
    text.GotoSearchKey(true);
    EXPECT_EQ(text.SelectedText().toLower(), QStringLiteral("love"));
    Picture("love-hits");
}

}  // namespace
}  // namespace kvx
