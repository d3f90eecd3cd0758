#include "SqlTexts.h"

namespace Sql {
QString Quote(const QString& value)
{
    QString v = value;
    v.replace(QLatin1Char('\''), QStringLiteral("''"));
    return v;
}

QString TableOf(Kind kind)
{
    return kind == Kind::Vowel ? QStringLiteral("vowels_sound") : QStringLiteral("consonants_sound");
}

QString LetterSets(Kind kind)
{
    return QStringLiteral("select letter_set, set_order from ") + TableOf(kind) + QStringLiteral(" order by set_order");
}

QString Sounds(Kind kind)
{
    return QStringLiteral("select sound, set_order from ") + TableOf(kind) + QStringLiteral(" order by set_order");
}

QString RowsOfLetterSet(Kind kind, const QString& letterSet)
{
    return QStringLiteral("select * from ") + TableOf(kind) + QStringLiteral(" where letter_set = '") + Quote(letterSet)
        + QStringLiteral("' order by set_order");
}

QString RowsOfSound(Kind kind, const QString& sound)
{
    return QStringLiteral("select * from ") + TableOf(kind) + QStringLiteral(" where sound = '") + Quote(sound)
        + QStringLiteral("' order by set_order");
}

QString VowelWords(const QString& letterSet, const QString& sound)
{
    return QStringLiteral("SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where pri_char = '") + Quote(letterSet)
        + QStringLiteral("' and pri_kk = '") + Quote(sound) + QStringLiteral("'  ORDER BY word");
}

QString ConsonantSoundCode(const QString& letterSet, const QString& sound)
{
    return QStringLiteral("SELECT scode  FROM w_sound  where Letter_set = '") + Quote(letterSet) + QStringLiteral("' and kk = '")
        + Quote(sound) + QStringLiteral("' ");
}

QString WordsWithSoundCode(const QString& soundCode)
{
    return QStringLiteral("SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where snd_word like '%") + Quote(soundCode)
        + QStringLiteral("%'") + QStringLiteral(" ORDER BY word");
}

QString Units(QChar prefix)
{
    return QStringLiteral("select * from p_unit where unitcode like '") + Quote(QString(prefix)) + QStringLiteral("%' ");
}

static QString UnitItems(const QString& table, const QString& column, const QString& unit)
{
    return QStringLiteral("select * from ") + table + QStringLiteral(" where ") + column + QStringLiteral(" like '") + Quote(unit)
        + QStringLiteral("%' ");
}

QString BeginnerItems(const QString& unit) { return UnitItems(QStringLiteral("beginner"), QStringLiteral("unitcode"), unit); }
QString Exercise2Words(const QString& unit) { return UnitItems(QStringLiteral("jwords"), QStringLiteral("P_UNIT"), unit); }
QString Exercise3Questions(const QString& unit) { return UnitItems(QStringLiteral("kk_reco"), QStringLiteral("unitcode"), unit); }
QString Exercise4Words(const QString& unit) { return UnitItems(QStringLiteral("jwords"), QStringLiteral("S_UNIT"), unit); }

QString WordRow(const QString& word)
{
    return QStringLiteral("select * from jwords where word = '") + Quote(word) + QStringLiteral("' ");
}

QString EngineCheck() { return QStringLiteral("select * from kk_reco"); }
}
