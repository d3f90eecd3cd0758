#include "ExerciseFixture.h"
#include "exercises/SpellingExercise.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace fixture;

namespace {
QString Swap(const QString& picture) { return "\"javascript:this.src='{T}/pic/" + picture + "';\""; }

QString Button(const QString& stem, const QString& name)
{
    return "<img src='{T}/pic/" + stem + "_normal.jpg' border='0'" + (name.isEmpty() ? QString() : " name='" + name + "'")
        + " onmouseout=" + Swap(stem + "_normal.jpg") + " onmouseover=" + Swap(stem + "_over.jpg") + " onmousedown="
        + Swap(stem + "_click.jpg") + " onmouseup=" + Swap(stem + "_normal.jpg") + ">";
}

QString HintRow(const QString& link, const QString& caption, const QString& font)
{
    return " <tr style='font-family: Arial; font-size: 15px; color:#0000FF'>\r\n"
           "<td width='45%' height='60' align='left' style='padding-left:20px;'>\r\n"
           "<a href=\""
        + link + "\">" + Button("hint", "btn3") + "</a><img src='{T}/pic/" + caption
        + "'></td>\r\n"
          "<td width='5%'></td>\r\n"
          "<td width='45%' align='center'>\r\n"
          "<table border='1' cellspacing='0' cellpadding='0' width='100%' height='55'>\r\n"
          " <tr>\r\n"
          "<td width='100%' height='100%' align='center' style='color:#0000FF;'>"
        + font
        + "\r\n</td>\r\n"
          " </tr>\r\n"
          "</table>\r\n"
          "</td>\r\n"
          "<td width='5%'></td>\r\n"
          " </tr>\r\n";
}

// The whole page of a word, written out as the learner's browser gets it.
QString ExpectedPage(const QString& unit, const QString& word, const QString& phonetic, const QString& priKk, const QString& next)
{
    const QString nextButton =
        next.isEmpty() ? QString() : "<a href='cmd:NEXT:" + unit + "," + next + "'>" + Button("next", QString()) + "</a>\r\n";
    const QString page = kHeader + kBodyFixed
        + "<script type='text/JavaScript'>\r\n"
          "<!--\r\n"
          " var tmpWordIndex = 1;\r\n"
          " var tmpWord = '"
        + word
        + "';\r\n"
          " function hintTextShow(pType,pObj)\r\n"
          " {\r\n"
          "     if (pType == '1')\r\n"
          "     {\r\n"
          "         if (document.getElementById(pObj).style.display == 'none')\r\n"
          "         {\r\n"
          "             document.getElementById(pObj).style.display = 'inline';\r\n"
          "         }\r\n"
          "         else\r\n"
          "         {\r\n"
          "             document.getElementById(pObj).style.display = 'none';\r\n"
          "         }\r\n"
          "     }\r\n"
          "     if (pType == '2')\r\n"
          "     {\r\n"
          "         document.getElementById(pObj).innerHTML = tmpWord.substring(0, tmpWordIndex);\r\n"
          "         if (tmpWordIndex < tmpWord.length)\r\n"
          "         {\r\n"
          "             tmpWordIndex = tmpWordIndex + 1;\r\n"
          "         }\r\n"
          "     }\r\n"
          "     document.getElementById('inputword').focus();\r\n"
          " }\r\n"
          " function checkAnswer()\r\n"
          " {\r\n"
          "     var nextId = '"
        + next
        + "';\r\n"
          "     if (document.getElementById('inputword').value == tmpWord)\r\n"
          "     {\r\n"
          "         if (nextId != '')\r\n"
          "         {\r\n"
          "             location.href='cmd:ANS:Y:"
        + unit
        + ",' + nextId;\r\n"
          "         }\r\n"
          "         else\r\n"
          "         {\r\n"
          "             location.href='cmd:ANS:R';\r\n"
          "         }\r\n"
          "     }\r\n"
          "     else\r\n"
          "     {\r\n"
          "         location.href='cmd:ANS:N';\r\n"
          "         document.getElementById('inputword').focus();\r\n"
          "     }\r\n"
          " }\r\n"
          " function checkPressKey()\r\n"
          " {\r\n"
          "     if (window.event.keyCode == 13)\r\n"
          "     {\r\n"
          "         window.event.keyCode = 0;\r\n"
          "         checkAnswer();\r\n"
          "     }\r\n"
          "     return true;\r\n"
          " }\r\n"
          "//-->\r\n"
          "</script>\r\n"
          "<div align='center'>\r\n"
          "<table border='0' cellspacing='0' cellpadding='0' width='100%' height='80' bgcolor='#D8ECD2'>\r\n"
          " <tr><td width='100%' colspan='2' height='15'></td></tr>\r\n"
          " <tr style='font-family: Arial; font-size: 15px; color:#0000FF'>\r\n"
          "<td width='25%' align='right' height='70'>\r\n"
          "<a href='cmd:"
        + word + "'><img src='{T}/pic/speaker_b_normal.jpg' onmousemove=" + Swap("speaker_b_over.jpg")
        + " onmouseout=" + Swap("speaker_b_normal.jpg") + " onmousedown=" + Swap("speaker_b_click.jpg")
        + " border='0'></a></td>\r\n"
          "<td width='75%' align='right' style='padding-right:60px;'>\r\n"
          "<input type='text' name='inputword' id='inputword' size='25' value='' style='font-family: Courier New; font-size: 15px; "
          "font-weight: bold;' onkeypress=\"javascript: return checkPressKey();\"></td>\r\n"
          " </tr>\r\n"
          " <tr style='font-family: Arial; font-size: 15px; color:#0000FF'>\r\n"
          "<td width='25%' align='center' height='50'></td>\r\n"
          "<td width='75%' align='right' style='padding-right:60px;'>\r\n"
          "<a href=\"javascript:checkAnswer();\">"
        + Button("yes", "btnAnswer")
        + "</a>\r\n"
          "     </td>\r\n"
          " </tr>\r\n"
          " <tr style='font-family: Arial; font-size: 15px; color:#0000FF'>\r\n"
          "<td width='25%' align='center' height='50'></td>\r\n"
          "<td width='75%' align='right' style='padding-right:60px;'>\r\n"
        + nextButton
        + "     </td>\r\n"
          " </tr>\r\n"
          " <tr><td width='100%' colspan='2' height='15'></td></tr>\r\n"
          "</table>\r\n"
          "<table><td height='25'></td></table>\r\n"
          "<table border='0' cellspacing='0' cellpadding='0' width='100%' height='120'>\r\n"
        + HintRow("javascript:hintTextShow('2','f_word');", "ex4_cap1.gif",
                  "<font id='f_word' style='font-family: Tahoma, Arial; font-size: 22px; font-weight:bold;'>&nbsp;</font>")
        + HintRow("javascript:hintTextShow('1','f_priaccent');", "ex4_cap2.gif",
                  "<font id='f_priaccent' style='display:none;'>" + Glyphs("(" + priKk + ")", 48) + "</font>")
        + HintRow("javascript:hintTextShow('1','f_phonetic');", "ex4_cap3.gif",
                  "<font id='f_phonetic' style='display:none;'>" + Glyphs(phonetic, 48) + "</font>")
        + "</table>\r\n</div>\r\n" + kFooter;
    return Expand(page);
}
}

TEST(Spelling, NoUnitChosenGivesTheSkeletonOnly)
{
    FixtureDataFolder data(kSchema);
    EXPECT_EQ(SpellingPage(QString(), {}), kHeader + kBodyFixed + kFooter);
}

TEST(Spelling, SequenceFindsWordsInDatabaseOrder)
{
    FixtureDataFolder data(kSchema);
    const QStringList s1 = SpellingWordSequence("S01");
    EXPECT_EQ(s1, QStringList({"cat", "cake", "apple"}));
    struct Case {
        QString current;
        SpellingWord want;
    };
    const Case cases[] = {
        {"", {"cat", "(kAt)", "AE", "cake"}},
        {"cake", {"cake", "(kek)", "e", "apple"}},
        // Stored as " apple ": the word query misses it, the word is still asked.
        {"apple", {"apple", "", "", ""}},
        // Not in the unit (the content changed): nothing to show, no next word.
        {"dog", {"", "", "", ""}},
        // Exact comparison: another letter case is another word.
        {"Cake", {"", "", "", ""}},
    };
    for (const Case& c : cases) {
        const SpellingWord got = ReadSpellingWord(s1, c.current);
        EXPECT_EQ(got.word, c.want.word) << c.current.toStdString();
        EXPECT_EQ(got.phonetic, c.want.phonetic) << c.current.toStdString();
        EXPECT_EQ(got.priKk, c.want.priKk) << c.current.toStdString();
        EXPECT_EQ(got.nextWord, c.want.nextWord) << c.current.toStdString();
    }
    // A null pri_kk reads as empty; a unit without words has nothing to show.
    EXPECT_EQ(ReadSpellingWord(SpellingWordSequence("S02"), "").priKk, "");
    const SpellingWord none = ReadSpellingWord(SpellingWordSequence("S77"), "");
    EXPECT_EQ(none.word, "");
    EXPECT_EQ(none.nextWord, "");
}

TEST(Spelling, ARepeatedWordIsFoundAtItsFirstPlace)
{
    const QStringList seq = {"a", "b", "a", "c"};
    FixtureDataFolder data(kSchema);
    EXPECT_EQ(ReadSpellingWord(seq, "a").nextWord, "b");
}

TEST(Spelling, OnlyTheFirst200WordsTakePart)
{
    QStringList statements = {kSchema[0]};
    QStringList rows;
    for (int i = 1; i <= 201; ++i)
        rows << QString("('w%1', '(w)', 'm', null, null, '', '', 'S09')").arg(i);
    statements << "insert into jwords values " + rows.join(", ");
    FixtureDataFolder data(statements);
    ASSERT_TRUE(data.ok());
    const QStringList seq = SpellingWordSequence("S09");
    ASSERT_EQ(seq.size(), 200);
    EXPECT_EQ(ReadSpellingWord(seq, "w199").nextWord, "w200");
    EXPECT_EQ(ReadSpellingWord(seq, "w200").nextWord, "");
    EXPECT_EQ(ReadSpellingWord(seq, "w201").word, "");
}

TEST(Spelling, PageOfAWordWithAndWithoutANextWord)
{
    FixtureDataFolder data(kSchema);
    EXPECT_EQ(SpellingPage("S01", {"cat", "(kAt)", "AE", "cake"}), ExpectedPage("S01", "cat", "(kAt)", "AE", "cake"));
    // The last word: no next button; a null sound hint shows the two brackets.
    EXPECT_EQ(SpellingPage("S02", {"city", "(5sItI)", "", ""}), ExpectedPage("S02", "city", "(5sItI)", "", ""));
}

TEST(Spelling, ApostrophesStayInsideTheirQuotes)
{
    FixtureDataFolder data(kSchema);
    const QStringList seq = SpellingWordSequence("S03");
    EXPECT_EQ(seq, QStringList({"don't", "o'clock"}));
    const SpellingWord first = ReadSpellingWord(seq, "");
    EXPECT_EQ(first.word, "don't");
    EXPECT_EQ(first.nextWord, "o'clock");
    EXPECT_EQ(ReadSpellingWord(seq, "o'clock").phonetic, "(a5klak)");

    const QString page = SpellingPage("S03", first);
    EXPECT_TRUE(page.contains(" var tmpWord = 'don\\'t';\r\n"));
    EXPECT_TRUE(page.contains("     var nextId = 'o\\'clock';\r\n"));
    EXPECT_TRUE(page.contains("<a href='cmd:don&#39;t'>"));
    EXPECT_TRUE(page.contains("<a href='cmd:NEXT:S03,o&#39;clock'>"));
    // A unit code with an apostrophe in the script.
    EXPECT_TRUE(SpellingPage("S'3", first).contains("location.href='cmd:ANS:Y:S\\'3,' + nextId;"));
    // "</script>" inside a word cannot end the script block.
    EXPECT_TRUE(SpellingPage("S03", {"a</script>b", "", "", ""}).contains(" var tmpWord = 'a<\\/script>b';"));
}
