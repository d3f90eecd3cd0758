#include "RulePageCodec.h"

QString DecodeRulePage(const QString& scrambled)
{
    return scrambled;
}
