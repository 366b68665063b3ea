#include "olt/OltTexts.h"

#include "common/Gbk.h"

namespace tw::olt {

QByteArray pagingPrompt() {
    static const QByteArray bytes = toGbk(u"---- 任意键继续显示 ( 'Q' 键退出 ) ----");
    return bytes;
}

} // namespace tw::olt
