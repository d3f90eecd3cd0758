#pragma once
#include <QString>

// The message window's built-in texts and rules, with no window behind them.
// Identifiers are compared as exact texts ("01" is not "1").

// Text of a MessageBox message; subject is inserted into message "9001".
// Unknown identifiers give "".
QString MessageText(const QString& id, const QString& subject);
// Text of a ProgressMsgBox message; unknown identifiers give "".
QString ProgressText(const QString& id);
// Caption of a MessageBox ("0" 訊息, "1" 錯誤, "2" 詢問, "3" 軟體更新).
QString CaptionText(const QString& captionId);
// Caption of a progress box: "請稍候" for "0", else "".
QString ProgressCaptionText(const QString& captionId);

// A text of fewer than 20 characters gets a CR LF in front, so that a short
// message sits on the second line.
QString WithLeadingCrlf(const QString& text);

enum class MessageButton { OK, Cancel };
// The answer a button gives for a button set: OK/CANCEL for "OK" and
// "OK_CANCEL", YES/NO for "YES_NO"; "" (answer unchanged) for any other set.
QString AnswerFor(const QString& buttons, MessageButton button);

// Button placement in twips. Two buttons leave a 200-twip gap around the
// window's middle; a single OK button is centred; other sets show none.
struct MessageButtonLayout {
    bool okVisible = false;
    bool cancelVisible = false;
    int okLeft = 0;
    int cancelLeft = 0;
};
constexpr int kMessageWindowWidthTwips = 5985;
constexpr int kMessageButtonWidthTwips = 1650;
MessageButtonLayout LayoutMessageButtons(const QString& buttons,
                                         int windowWidth = kMessageWindowWidthTwips,
                                         int buttonWidth = kMessageButtonWidthTwips);

// The progress highlight's next left edge (twips): 200 further right, and
// back to minus its own width once it has reached the end of the bar.
int NextProgressFlashLeft(int left, int flashWidth, int barWidth);
