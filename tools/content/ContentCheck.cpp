#include "ContentCheck.h"

#include "Recordings.h"
#include "lessons/RulePageCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

// Collects faults for one content folder.
class Checker {
public:
    explicit Checker(const ContentSources& s) : m_s(s), m_faults(s.faults) {}

    QList<Fault> run()
    {
        checkCells();
        checkGlyphMap();
        checkSoundTables();
        checkSoundCodes();
        checkUnits();
        checkWords();
        checkItems();
        checkQuestions();
        checkRecordings();
        checkRulePages();
        checkStylesheet();
        checkPhonemeLines();
        return m_faults;
    }

private:
    const ContentSources& m_s;
    QList<Fault> m_faults;

    void fault(const QString& file, int line, const QString& message) { m_faults.append({file, line, message}); }
    void warn(const QString& file, int line, const QString& message)
    {
        m_faults.append({file, line, message, true});
    }

    const TsvTable& table(const char* name) const { return m_s.table(QString::fromLatin1(name)); }

    // Every cell: Null only where allowed, integers where wanted, no stray
    // blanks around values, and text that Big5 can hold.
    void checkCells()
    {
        for (const TableSpec& layout : ContentTables()) {
            const TsvTable& t = m_s.table(layout.name);
            for (const TsvRow& row : t.rows) {
                for (int i = 0; i < layout.columns.size(); ++i) {
                    const ColumnSpec& col = layout.columns.at(i);
                    const Cell& cell = row.cells.at(i);
                    if (!cell) {
                        if (!col.nullable)
                            fault(t.path, row.line, QStringLiteral("%1 may not be Null (\\N)").arg(col.name));
                        continue;
                    }
                    const QString& v = *cell;
                    if (col.integer) {
                        bool ok = false;
                        v.toInt(&ok);
                        if (!ok)
                            fault(t.path, row.line,
                                  QStringLiteral("%1 \"%2\" is not a whole number").arg(col.name, v));
                        continue;
                    }
                    if (v != v.trimmed())
                        fault(t.path, row.line,
                              QStringLiteral("%1 \"%2\" has blanks at its start or end").arg(col.name, v));
                    QString bad;
                    if (!IsBig5Encodable(v, &bad))
                        fault(t.path, row.line,
                              QStringLiteral("%1 holds '%2' (U+%3), which Big5 cannot encode")
                                  .arg(col.name, bad)
                                  .arg(uint(bad.toUcs4().value(0)), 4, 16, QChar(u'0')));
                }
            }
        }
    }

    void checkGlyphMap()
    {
        QSet<QString> seen;
        for (const KeyedLine& g : m_s.glyphs) {
            if (g.key.size() != 1)
                fault(m_s.glyphsPath, g.line,
                      QStringLiteral("code \"%1\" must be one character").arg(g.key));
            else if (g.key == QStringLiteral(" "))
                fault(m_s.glyphsPath, g.line, QStringLiteral("a space is never drawn and has no glyph"));
            if (g.value.isEmpty())
                fault(m_s.glyphsPath, g.line, QStringLiteral("code \"%1\" has no symbol").arg(g.key));
            if (seen.contains(g.key))
                fault(m_s.glyphsPath, g.line, QStringLiteral("code \"%1\" is listed twice").arg(g.key));
            seen.insert(g.key);
        }
    }

    // A transcription cell: bare ("aI") or in brackets ("(5Apl)"), every
    // character drawn by a glyph.
    void checkTranscription(const TsvTable& t, const TsvRow& row, const QString& column, bool bracketed)
    {
        const Cell c = t.cell(row, column);
        if (!c || c->isEmpty())
            return;
        const QString v = *c;
        if (bracketed) {
            const bool round = v.startsWith(QLatin1Char('(')) && v.endsWith(QLatin1Char(')'));
            const bool square = v.startsWith(QLatin1Char('[')) && v.endsWith(QLatin1Char(']'));
            if (!(round || square) || v.size() < 3)
                fault(t.path, row.line,
                      QStringLiteral("%1 \"%2\" must be a transcription in brackets, e.g. (5Apl)").arg(column, v));
        } else if (v.contains(QRegularExpression(QStringLiteral("[()\\[\\]]")))) {
            fault(t.path, row.line,
                  QStringLiteral("%1 \"%2\" is a bare sound and takes no brackets").arg(column, v));
        }
        checkGlyphs(t.path, row.line, column, v);
    }

    void checkGlyphs(const QString& file, int line, const QString& what, const QString& transcription)
    {
        QSet<QChar> reported;
        for (QChar ch : transcription) {
            if (ch == QLatin1Char(' ') || reported.contains(ch))
                continue;
            if (!m_s.glyph(ch)) {
                reported.insert(ch);
                fault(file, line,
                      QStringLiteral("%1 \"%2\": character '%3' has no glyph in glyphs.tsv")
                          .arg(what, transcription, QString(ch)));
            }
        }
    }

    void checkSoundTables()
    {
        for (const char* name : {"vowels_sound", "consonants_sound"}) {
            const TsvTable& t = table(name);
            QMap<QString, int> pairs, orders;
            for (const TsvRow& row : t.rows) {
                for (const char* col : {"letter_set", "sound", "mp3", "htm"})
                    requireText(t, row, QString::fromLatin1(col));
                checkTranscription(t, row, QStringLiteral("sound"), false);
                const QString pair = t.text(row, QStringLiteral("letter_set")) + QLatin1Char('\t')
                                     + t.text(row, QStringLiteral("sound"));
                duplicate(t, row, pairs, pair,
                          QStringLiteral("letter set \"%1\" with sound \"%2\"")
                              .arg(t.text(row, QStringLiteral("letter_set")), t.text(row, QStringLiteral("sound"))));
                duplicate(t, row, orders, t.text(row, QStringLiteral("set_order")),
                          QStringLiteral("set_order %1").arg(t.text(row, QStringLiteral("set_order"))));
                const QString htm = t.text(row, QStringLiteral("htm"));
                if (!htm.isEmpty() && !IsValidRecordingName(htm))
                    fault(t.path, row.line, QStringLiteral("htm \"%1\" is not a usable file name").arg(htm));
                else if (!htm.isEmpty() && !QFileInfo(m_s.rulePagePath(htm)).isFile())
                    fault(t.path, row.line,
                          QStringLiteral("htm \"%1\" has no rule page rules/%1.html").arg(htm));
            }
        }
    }

    void requireText(const TsvTable& t, const TsvRow& row, const QString& column)
    {
        const Cell c = t.cell(row, column);
        if (c && c->isEmpty())
            fault(t.path, row.line, QStringLiteral("%1 is empty").arg(column));
    }

    // Reports a key seen before in the same table.
    void duplicate(const TsvTable& t, const TsvRow& row, QMap<QString, int>& seen, const QString& key,
                   const QString& what)
    {
        if (key.isEmpty())
            return;
        const auto it = seen.constFind(key);
        if (it != seen.constEnd())
            fault(t.path, row.line, QStringLiteral("duplicate %1 (first on line %2)").arg(what).arg(*it));
        else
            seen.insert(key, row.line);
    }

    // w_sound pairs each consonant row with its sound code.
    void checkSoundCodes()
    {
        const TsvTable& w = table("w_sound");
        const TsvTable& cons = table("consonants_sound");
        QSet<QString> consonantPairs;
        for (const TsvRow& row : cons.rows)
            consonantPairs.insert(cons.text(row, QStringLiteral("letter_set")) + QLatin1Char('\t')
                                  + cons.text(row, QStringLiteral("sound")));
        QMap<QString, int> codes, pairs;
        QSet<QString> codedPairs;
        static const QRegularExpression codeForm(QStringLiteral("^[A-Z][0-9]{2}$"));
        for (const TsvRow& row : w.rows) {
            const QString code = w.text(row, QStringLiteral("scode"));
            const QString ls = w.text(row, QStringLiteral("Letter_set"));
            const QString kk = w.text(row, QStringLiteral("kk"));
            if (!codeForm.match(code).hasMatch())
                fault(w.path, row.line,
                      QStringLiteral("scode \"%1\" must be a capital letter and two digits, e.g. C01").arg(code));
            // Codes are found by substring (like '%C01%'), so letters must be
            // capitals and none may hide inside another.
            duplicate(w, row, codes, code.toUpper(), QStringLiteral("scode %1").arg(code));
            const QString pair = ls + QLatin1Char('\t') + kk;
            duplicate(w, row, pairs, pair, QStringLiteral("letter set \"%1\" with sound \"%2\"").arg(ls, kk));
            codedPairs.insert(pair);
            checkTranscription(w, row, QStringLiteral("kk"), false);
            if (cons.present && !cons.header.isEmpty() && !consonantPairs.contains(pair))
                fault(w.path, row.line,
                      QStringLiteral("no consonants_sound row has letter set \"%1\" with sound \"%2\"").arg(ls, kk));
        }
        if (!w.present || w.header.isEmpty())
            return;
        for (const TsvRow& row : cons.rows) {
            const QString ls = cons.text(row, QStringLiteral("letter_set"));
            const QString snd = cons.text(row, QStringLiteral("sound"));
            if (!codedPairs.contains(ls + QLatin1Char('\t') + snd))
                fault(cons.path, row.line,
                      QStringLiteral("letter set \"%1\" with sound \"%2\" has no w_sound row (sound code)").arg(ls, snd));
        }
    }

    // Unit codes and titles; every unit has its items.
    QMap<QString, int> m_units;  // code -> line in p_unit

    void checkUnits()
    {
        const TsvTable& p = table("p_unit");
        static const QRegularExpression codeForm(QStringLiteral("^[EPKS][0-9]{2}$"));
        for (const TsvRow& row : p.rows) {
            const QString code = p.text(row, QStringLiteral("unitcode"));
            requireText(p, row, QStringLiteral("descript"));
            if (!codeForm.match(code).hasMatch()) {
                fault(p.path, row.line,
                      QStringLiteral("unitcode \"%1\" must be E, P, K or S and two digits, e.g. E01").arg(code));
                continue;
            }
            if (m_units.contains(code)) {
                fault(p.path, row.line,
                      QStringLiteral("duplicate unitcode %1 (first on line %2)").arg(code).arg(m_units.value(code)));
                continue;
            }
            m_units.insert(code, row.line);
            if (code.startsWith(QLatin1Char('P'))) {
                // The rest of the title is drawn by the rule-page renderer,
                // which turns only parenthesised transcriptions into glyphs.
                static const QRegularExpression title(QStringLiteral("^(母音|子音)：\\([^)]+\\)"));
                if (!title.match(p.text(row, QStringLiteral("descript"))).hasMatch())
                    warn(p.path, row.line,
                         QStringLiteral("P unit title \"%1\" is not of the form 母音：(A) or 子音：(tS)")
                             .arg(p.text(row, QStringLiteral("descript"))));
            }
        }
        const struct {
            QChar prefix;
            const char* table;
            const char* column;
        } itemTables[] = {{u'E', "beginner", "unitcode"},
                          {u'P', "jwords", "P_UNIT"},
                          {u'K', "kk_reco", "unitcode"},
                          {u'S', "jwords", "S_UNIT"}};
        for (const auto& it : itemTables) {
            const TsvTable& t = table(it.table);
            if (!t.present || t.header.isEmpty())
                continue;
            QSet<QString> used;
            for (const TsvRow& row : t.rows) {
                const QString code = t.text(row, QString::fromLatin1(it.column));
                if (code.isEmpty())
                    continue;
                used.insert(code);
                if (!code.startsWith(it.prefix) || !m_units.contains(code))
                    fault(t.path, row.line,
                          QStringLiteral("%1 \"%2\" is not a %3 unit of p_unit")
                              .arg(QString::fromLatin1(it.column), code, QString(it.prefix)));
            }
            for (auto u = m_units.constBegin(); u != m_units.constEnd(); ++u)
                if (u.key().startsWith(it.prefix) && !used.contains(u.key()))
                    fault(p.path, u.value(),
                          QStringLiteral("unit %1 has no items in %2.tsv (%3)")
                              .arg(u.key(), QString::fromLatin1(it.table), QString::fromLatin1(it.column)));
        }
    }

    void checkWords()
    {
        const TsvTable& j = table("jwords");
        const TsvTable& v = table("vowels_sound");
        QSet<QString> vowelPairs;
        for (const TsvRow& row : v.rows)
            vowelPairs.insert(v.text(row, QStringLiteral("letter_set")) + QLatin1Char('\t')
                              + v.text(row, QStringLiteral("sound")));
        QSet<QString> codes;
        const TsvTable& w = table("w_sound");
        for (const TsvRow& row : w.rows)
            codes.insert(w.text(row, QStringLiteral("scode")));
        const bool haveCodes = w.present && !w.header.isEmpty();

        QMap<QString, int> words;
        QSet<QString> listedVowels, listedCodes;
        for (const TsvRow& row : j.rows) {
            const QString word = j.text(row, QStringLiteral("word"));
            requireText(j, row, QStringLiteral("word"));
            requireText(j, row, QStringLiteral("phonetic"));
            requireText(j, row, QStringLiteral("meaning"));
            if (!word.isEmpty() && !IsValidRecordingName(word))
                fault(j.path, row.line, QStringLiteral("word \"%1\" cannot name a recording file").arg(word));
            // The word is its recording's name and is looked up with a
            // case-blind '=': two spellings differing in case would collide.
            duplicate(j, row, words, word.toLower(), QStringLiteral("word \"%1\"").arg(word));
            checkTranscription(j, row, QStringLiteral("phonetic"), true);
            checkTranscription(j, row, QStringLiteral("pri_kk"), false);

            const Cell pc = j.cell(row, QStringLiteral("pri_char"));
            const Cell pk = j.cell(row, QStringLiteral("pri_kk"));
            const bool listedUnderVowel = pc && pk;
            if (bool(pc) != bool(pk)) {
                fault(j.path, row.line, QStringLiteral("pri_char and pri_kk must both be \\N or both be set"));
            } else if (listedUnderVowel) {
                const QString pair = *pc + QLatin1Char('\t') + *pk;
                listedVowels.insert(pair);
                if (!v.header.isEmpty() && !vowelPairs.contains(pair))
                    fault(j.path, row.line,
                          QStringLiteral("pri_char \"%1\" with pri_kk \"%2\" matches no vowels_sound row exactly")
                              .arg(*pc, *pk));
            }

            const QString sndWord = j.text(row, QStringLiteral("snd_word"));
            const QStringList wordCodes = sndWord.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            for (const QString& c : wordCodes) {
                listedCodes.insert(c);
                if (haveCodes && !codes.contains(c))
                    fault(j.path, row.line, QStringLiteral("snd_word code \"%1\" is not an scode of w_sound").arg(c));
            }
            if (!listedUnderVowel && wordCodes.isEmpty())
                fault(j.path, row.line,
                      QStringLiteral("word \"%1\" is listed under no vowel (pri_char) and no consonant (snd_word)")
                          .arg(word));
        }
        if (!j.present || j.header.isEmpty())
            return;
        for (const TsvRow& row : v.rows) {
            const QString pair = v.text(row, QStringLiteral("letter_set")) + QLatin1Char('\t')
                                 + v.text(row, QStringLiteral("sound"));
            if (!listedVowels.contains(pair))
                warn(v.path, row.line,
                     QStringLiteral("no word is listed under letter set \"%1\" with sound \"%2\"")
                         .arg(v.text(row, QStringLiteral("letter_set")), v.text(row, QStringLiteral("sound"))));
        }
        for (const TsvRow& row : w.rows) {
            const QString code = w.text(row, QStringLiteral("scode"));
            if (!listedCodes.contains(code))
                warn(w.path, row.line, QStringLiteral("no word has sound code %1 in snd_word").arg(code));
        }
    }

    void checkItems()
    {
        const TsvTable& b = table("beginner");
        for (const TsvRow& row : b.rows) {
            checkTranscription(b, row, QStringLiteral("data2show2"), true);
            const Cell mp3 = b.cell(row, QStringLiteral("mp3"));
            if (mp3 && !mp3->isEmpty() && !IsValidRecordingName(*mp3))
                fault(b.path, row.line, QStringLiteral("mp3 \"%1\" is not a usable file name").arg(*mp3));
        }
    }

    void checkQuestions()
    {
        const TsvTable& k = table("kk_reco");
        for (const TsvRow& row : k.rows) {
            const QString word = k.text(row, QStringLiteral("word"));
            requireText(k, row, QStringLiteral("word"));
            if (!word.isEmpty() && !IsValidRecordingName(word))
                fault(k.path, row.line, QStringLiteral("word \"%1\" cannot name a recording file").arg(word));
            QMap<QString, int> options;
            for (int i = 1; i <= 4; ++i) {
                const QString col = QStringLiteral("opt%1").arg(i);
                requireText(k, row, col);
                checkTranscription(k, row, col, true);
                const QString o = k.text(row, col);
                if (!o.isEmpty() && options.contains(o))
                    fault(k.path, row.line,
                          QStringLiteral("opt%1 repeats opt%2 \"%3\"").arg(i).arg(options.value(o)).arg(o));
                options.insert(o, i);
            }
            bool ok = false;
            const int answer = k.text(row, QStringLiteral("answer")).toInt(&ok);
            if (ok && (answer < 1 || answer > 4))
                fault(k.path, row.line, QStringLiteral("answer %1 must be 1 to 4").arg(answer));
        }
    }

    void checkRecordings()
    {
        QMap<QString, QString> byLowerName;
        for (const RecordingNeed& n : PlanRecordings(m_s)) {
            if (n.source == RecordingSource::None) {
                if (n.what == QStringLiteral("lesson sound"))
                    fault(n.file, n.line,
                          QStringLiteral("lesson sound \"%1\" has no recording: add a line to sound-phonemes.tsv "
                                         "or recordings/%1.mp3")
                              .arg(n.name));
                else
                    fault(n.file, n.line,
                          QStringLiteral("%1 \"%2\" has no recording: no text to speak, no line in "
                                         "sound-phonemes.tsv, no recordings/%2.mp3")
                              .arg(n.what, n.name));
            }
            // Recording files must not differ only in case.
            const QString lower = n.name.toLower();
            if (byLowerName.contains(lower) && byLowerName.value(lower) != n.name)
                fault(n.file, n.line,
                      QStringLiteral("recording \"%1\" differs from \"%2\" only in letter case")
                          .arg(n.name, byLowerName.value(lower)));
            byLowerName.insert(lower, n.name);
        }
    }

    void checkRulePages()
    {
        QSet<QString> referenced;
        for (const char* name : {"vowels_sound", "consonants_sound"}) {
            const TsvTable& t = table(name);
            for (const TsvRow& row : t.rows)
                referenced.insert(t.text(row, QStringLiteral("htm")));
        }
        const QDir rules(m_s.rulesDir);
        const QStringList pages = rules.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
        for (const QString& file : pages) {
            const QString path = rules.filePath(file);
            const QString htm = QFileInfo(file).completeBaseName();
            if (!referenced.contains(htm))
                warn(path, 0, QStringLiteral("no sound row names this page (htm \"%1\")").arg(htm));
            const std::optional<QString> page = ReadUtf8File(path, &m_faults);
            if (!page) {
                fault(path, 0, QStringLiteral("cannot read the page"));
                continue;
            }
            checkBig5Lines(path, *page);
            if (!page->contains(QStringLiteral("</head>")))
                fault(path, 0, QStringLiteral("no lower-case </head>: the stylesheet cannot be added"));
            if (!page->contains(QStringLiteral("<body>")))
                fault(path, 0, QStringLiteral("no plain <body> tag: the page margins cannot be set"));
            for (const PageTranscription& tr : TranscriptionsInPage(*page)) {
                if (!tr.closed)
                    fault(path, tr.line,
                          QStringLiteral("transcription \"(%1\" has no closing \")\"").arg(tr.text.left(20)));
                checkGlyphs(path, tr.line, QStringLiteral("transcription"), tr.text);
            }
        }
    }

    void checkBig5Lines(const QString& path, const QString& text)
    {
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            QString bad;
            if (!IsBig5Encodable(lines.at(i), &bad))
                fault(path, i + 1,
                      QStringLiteral("'%1' (U+%2) has no Big5 code")
                          .arg(bad)
                          .arg(uint(bad.toUcs4().value(0)), 4, 16, QChar(u'0')));
        }
    }

    void checkStylesheet()
    {
        const std::optional<QString> css = ReadUtf8File(m_s.cssPath, &m_faults);
        if (!css) {
            fault(m_s.cssPath, 0, QStringLiteral("the rule-page stylesheet is missing"));
            return;
        }
        checkBig5Lines(m_s.cssPath, *css);
    }

    void checkPhonemeLines()
    {
        QMap<QString, int> seen;
        QSet<QString> wanted;
        for (const RecordingNeed& n : PlanRecordings(m_s))
            wanted.insert(n.name);
        for (const KeyedLine& p : m_s.phonemes) {
            if (seen.contains(p.key))
                fault(m_s.phonemesPath, p.line,
                      QStringLiteral("\"%1\" is listed twice (first on line %2)").arg(p.key).arg(seen.value(p.key)));
            seen.insert(p.key, p.line);
            if (p.value.trimmed().isEmpty())
                fault(m_s.phonemesPath, p.line, QStringLiteral("\"%1\" has no phoneme input").arg(p.key));
            if (!wanted.contains(p.key))
                warn(m_s.phonemesPath, p.line, QStringLiteral("no recording is named \"%1\"").arg(p.key));
        }
    }
};

bool StartsTranscription(QStringView text, qsizetype i)
{
    const auto letterOrMark = [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'5' || c == u'7' || c == u'9'
               || c == u':';
    };
    if (i + 2 >= text.size() || text.at(i) != u'(')
        return false;
    return letterOrMark(text.at(i + 1)) && (letterOrMark(text.at(i + 2)) || text.at(i + 2) == u')');
}

} // namespace

QList<PageTranscription> TranscriptionsInPage(const QString& page)
{
    QList<PageTranscription> out;
    int line = 1;
    for (qsizetype i = 0; i < page.size(); ++i) {
        if (page.at(i) == u'\n') {
            ++line;
            continue;
        }
        if (!StartsTranscription(page, i))
            continue;
        const qsizetype close = page.indexOf(u')', i + 1);
        PageTranscription t;
        t.line = line;
        t.closed = close >= 0;
        t.text = page.mid(i + 1, (close >= 0 ? close : page.size()) - i - 1);
        out.append(t);
        if (close < 0)
            break;
        line += int(t.text.count(u'\n'));
        i = close;
    }
    return out;
}

bool IsValidRecordingName(const QString& name)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..") || name != name.trimmed())
        return false;
    for (QChar c : name)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            return false;
    return true;
}

QList<Fault> CheckContent(const ContentSources& sources) { return Checker(sources).run(); }
