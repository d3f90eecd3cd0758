#pragma once
#include "app/AppValues.h"
#include "pages/PhoneticHtml.h"

#include <QString>
#include <QStringList>

// A small content database with units and items of all four exercises, and
// the fixed page pieces the expected strings are written with.
namespace fixture {

inline const QStringList kSchema = {
    "create table jwords (word text collate nocase, phonetic text collate nocase, meaning text collate nocase, pri_char text collate nocase, pri_kk text collate nocase, snd_word text collate nocase, P_UNIT text collate nocase, S_UNIT text collate nocase)",
    "create table p_unit (unitcode text collate nocase, descript text collate nocase)",
    "create table beginner (unitcode text collate nocase, data2show1 text collate nocase, data2show2 text collate nocase, mp3 text collate nocase)",
    "create table kk_reco (unitcode text collate nocase, word text collate nocase, opt1 text collate nocase, opt2 text collate nocase, opt3 text collate nocase, opt4 text collate nocase, answer integer)",
    "insert into p_unit values ('E5', ' A E I '), ('E12', 'b c'), ('P01', '母音：(e)'), ('P02', '子音：(tS)'),"
    " ('K01', 'kk one'), ('S01', 'spell one'), ('S02', 'one word')",
    "insert into beginner values ('E5', ' a ', '(e)', 'b_a'), ('E50', null, null, null), ('E12', 'c', '(si)', 'b_c'), ('E51', 'd', 'di', 'b_d')",
    "insert into jwords values ('cat', '(kAt)', '貓', 'a', 'AE', '', 'P01', 'S01'),"
    " ('cake', '(kek)', '蛋糕', 'a', 'e', '', 'P01', 'S01'),"
    " (' apple ', '(5Apl)', '蘋果', 'A', 'AE', '', 'P010', 'S01'),"
    " ('city', '(5sItI)', '城市', null, null, '', 'P02', 'S02'),"
    " ('don''t', '(dont)', '不要', 'o', 'o', '', 'P03', 'S03'),"
    " ('o''clock', '(a5klak)', '點鐘', 'o', 'a', '', 'P03', 'S03')",
    "insert into kk_reco values ('K01', 'cat', '(kAt)', '(kat)', '(ket)', '(kEt)', 1), ('K01', 'cake', '(kAk)', '(kek)', '(kik)', '(kok)', 2)",
};

inline const QString kHeader = QStringLiteral(
    "<html>\r\n<head>\r\n<meta http-equiv='Content-Type' content='text/html; charset=big5'>\r\n<title></title>\r\n</head>\r\n"
    "<style>\r\nbody {\r\n   border-style:none; background-color: #FFFFFF;\r\n}\r\n</style>\r\n");
inline const QString kFooter = QStringLiteral("</body>\r\n</html>\r\n");
inline const QString kBodyAuto = QStringLiteral(
    "<body scroll='auto' topmargin='0' leftmargin='0' rightmargin='0' bottommargin='0' "
    "ONDRAGSTART='window.event.returnValue=false' ONCONTEXTMENU='window.event.returnValue=false' "
    "onSelectStart='event.returnValue=false'>\r\n");
inline const QString kBodyFixed = QStringLiteral(
    "<body scroll='no' topmargin='0' leftmargin='0' rightmargin='0' bottommargin='0' "
    "ONDRAGSTART='window.event.returnValue=false' ONCONTEXTMENU='window.event.returnValue=false' "
    "onSelectStart='event.returnValue=false'>\r\n");

// Expected texts are written with "{T}" for the data folder URL.
inline QString Expand(QString text)
{
    text.replace(QStringLiteral("{T}"), DataFolderUrl());
    return text;
}

inline QString Glyphs(const QString& transcription, int height = 27)
{
    return GetPhoneticHtml(GlyphBase(), transcription, qint16(height));
}

}  // namespace fixture
