#include "MessageCatalogue.h"

QString MessageText(const QString& id, const QString& subject)
{
    const QString crlf = QStringLiteral("\r\n");
    if (id == QLatin1String("1"))
        return QStringLiteral("目前網路中斷或傳輸品質不佳，請檢查網路連線");
    if (id == QLatin1String("4"))
        return QStringLiteral("目前已有新版程式! ") + crlf + crlf + QStringLiteral("您是否要現在進行更新?");
    if (id == QLatin1String("5"))
        return QStringLiteral("無法正確啟動更新程式! 您的程式可能損毀以致於缺少必要的組件, 請重新安裝");
    if (id == QLatin1String("40"))
        return QStringLiteral("您確定要離開本程式嗎?");
    if (id == QLatin1String("47"))
        return QStringLiteral("軟體已有重大的變革, 需重新安裝程式！ ") + crlf + crlf + QStringLiteral("您是否要現在進行下載安裝?");
    if (id == QLatin1String("4006"))
        return QStringLiteral("資料檔已經有更新！必需重新更新後才能繼續使用。");
    if (id == QLatin1String("40061"))
        return QStringLiteral("資料檔不正確！必需下載更新後才能繼續使用。");
    if (id == QLatin1String("4007"))
        return QStringLiteral("資料檔已更新完成！");
    if (id == QLatin1String("9001"))
        return QStringLiteral("找不到") + subject + QStringLiteral("資料！");
    return QString();
}

QString ProgressText(const QString& id)
{
    if (id == QLatin1String("3001"))
        return QStringLiteral("正在檢查與建立必要組件資料中....");
    if (id == QLatin1String("3007"))
        return QStringLiteral("正在更新資料中, 請稍候....");
    return QString();
}

QString CaptionText(const QString& captionId)
{
    if (captionId == QLatin1String("0"))
        return QStringLiteral("訊息");
    if (captionId == QLatin1String("1"))
        return QStringLiteral("錯誤");
    if (captionId == QLatin1String("2"))
        return QStringLiteral("詢問");
    if (captionId == QLatin1String("3"))
        return QStringLiteral("軟體更新");
    return QString();
}

QString ProgressCaptionText(const QString& captionId)
{
    return captionId == QLatin1String("0") ? QStringLiteral("請稍候") : QString();
}

QString WithLeadingCrlf(const QString& text)
{
    return text.size() < 20 ? QStringLiteral("\r\n") + text : text;
}

QString AnswerFor(const QString& buttons, MessageButton button)
{
    const bool ok = button == MessageButton::OK;
    if (buttons == QLatin1String("OK") || buttons == QLatin1String("OK_CANCEL"))
        return ok ? QStringLiteral("OK") : QStringLiteral("CANCEL");
    if (buttons == QLatin1String("YES_NO"))
        return ok ? QStringLiteral("YES") : QStringLiteral("NO");
    return QString();
}

MessageButtonLayout LayoutMessageButtons(const QString& buttons, int windowWidth, int buttonWidth)
{
    MessageButtonLayout l;
    if (buttons == QLatin1String("OK")) {
        l.okVisible = true;
        l.okLeft = (windowWidth - buttonWidth) / 2;
    } else if (buttons == QLatin1String("OK_CANCEL") || buttons == QLatin1String("YES_NO")) {
        const int middle = windowWidth / 2;
        l.okVisible = l.cancelVisible = true;
        l.okLeft = middle - 100 - buttonWidth;
        l.cancelLeft = middle + 100;
    }
    return l;
}

int NextProgressFlashLeft(int left, int flashWidth, int barWidth)
{
    left += 200;
    if (left >= barWidth)
        left = -flashWidth;
    return left;
}
