// The lines a command prints about what it did, with figures in them: how many objects it acted on,
// where an ONT was added, how a transfer failed, the state of an ONT loading.
#include "Render.h"
#include "Transfer.h"

namespace tw::sim {

QString renderTally(Lang l, Tally what, qsizetype candidates, qsizetype success) {
    static const Text texts[] = {
        // In the order of Tally.
        {"  Number of ONTs that can be added: %1, success: %2\r\n", "  可以增加的ONT数目: %1, 成功: %2\r\n"},
        {"  Number of ONTs that can be deleted: %1, success: %2\r\n",
         "  可以删除的ONT数目: %1, 成功: %2\r\n"},
        {"  Number of ONTs that can be operated: %1, success: %2\r\n",
         "  可以操作的ONT数目: %1, 成功: %2\r\n"},
        {"  Number of service virtual ports that can be deleted: %1, success: %2\r\n",
         "  可以删除的业务虚端口数目: %1, 成功: %2\r\n"},
    };
    return tr(l, texts[int(what)]).arg(candidates).arg(success);
}

QString renderOntAdded(Lang l, int port, int id) {
    return tr(l, "  PortID :%1, ONTID :%2\r\n", "  端口号 :%1, ONT号 :%2\r\n").arg(port).arg(id);
}

QString renderMulticastUsersDeleted(Lang l, qsizetype count) {
    return tr(l, "  Number of multicast users deleted: %1\r\n", "  删除的组播用户数目: %1\r\n").arg(count);
}

QString renderTelnetTrying(Lang l, const QString &host) {
    return tr(l, "  Trying ", "  正在尝试连接 ") + host + " ...\r\n";
}

QString renderConfigurationSaved(Lang l, int slot) {
    return tr(l, "  The data of %1 slot's control board is saved completely\r\n",
              "  %1槽位主控板的数据保存完毕\r\n")
        .arg(slot);
}

QString renderTransferFailure(Lang l, const TransferResult &r) {
    switch (r.outcome) {
    case TransferResult::Outcome::Done:
        return {};
    case TransferResult::Outcome::TimedOut:
        return tr(l, "  Failure: The TFTP server does not respond, the operation timed out\r\n",
                  "  失败：TFTP服务器无响应，操作超时\r\n");
    case TransferResult::Outcome::Refused:
        return tr(l, "  Failure: The TFTP server refused the transfer: ", "  失败：TFTP服务器拒绝传输：") +
               r.error + "\r\n";
    case TransferResult::Outcome::Failed:
        return tr(l, "  Failure: The file transfer failed: ", "  失败：文件传输失败：") + r.error + "\r\n";
    }
    return {};
}

QString renderOntLoadReady(Lang l, qsizetype bytes) {
    return tr(l, "  Info: The file is ready for loading, size: %1 bytes\r\n",
              "  提示：加载文件已就绪，大小：%1字节\r\n")
        .arg(bytes);
}

QString renderOntLoadStarted(Lang l, qsizetype onts) {
    return tr(l, "  Info: Start loading, ONTs selected: %1\r\n", "  提示：开始加载，已选择ONT数：%1\r\n")
        .arg(onts);
}

} // namespace tw::sim
