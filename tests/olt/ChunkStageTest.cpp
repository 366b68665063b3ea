#include "olt/ChunkStage.h"
#include "olt/PromptJoiner.h"
#include "olt/ReceivePath.h"

#include <QRandomGenerator>

#include <algorithm>

#include "GuardedBytes.h"
#include "TestDoubles.h"
#include "common/Gbk.h"
#include "common/PasswordCodec.h"
#include "common/SettingsStore.h"
#include "olt/OltTexts.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {

QByteArray gbk(const char *utf8) {
    return toGbk(QString::fromUtf8(utf8));
}

const QByteArray Paging = gbk("---- 任意键继续显示 ( 'Q' 键退出 ) ----");
const QByteArray Erase = "\x1b[39D" + QByteArray(39, ' ') + "\x1b[39D";
const QByteArray Rows = "  0/ 1/0    0  48575443A1B2C3D4  active      online\r\n"
                        "  0/ 1/0    1  48575443A1B2C3D5  active      offline\r\n";
// The password's line only: the post-login lines are paced by the connection's script runner.
const QByteArray Password = "s3cret\r\n";
const QByteArray Rejected = "\r\n  Username or password invalid.";

struct Case {
    const char *name;
    QByteArray chunk;
    QList<QByteArray> sends;
    QByteArray passOn; // ignored when discarded
    bool discarded = false;
    bool autoReconnect = false;
    bool reconnect = false;
    qsizetype sendsBeforeReconnect = 0;
    bool loginRejected = false;
};

const Case Cases[] = {
    // Terminal control bytes.
    {"cursor-back pairs are removed", "displ \x1b[1Day board", {}, "display board"},
    {"leading escape sequence", "\x1b[2K\r\nMA5680T(config)#", {}, "\r\nMA5680T(config)#"},
    {"blank then escape sequence is discarded", " \x1b[37D", {}, {}, true},
    {"escape sequence inside text keeps both sides", "abc\x1b[1mdef\x1b[0m\r\n", {}, "abcdef\r\n"},
    {"paging erase followed by lines", Erase + Rows, {}, Rows},
    {"paging erase alone is discarded", Erase, {}, {}, true},
    {"text before and after a paging erase", "x" + Erase + "y", {}, "xy"},
    {"cursor-left without the erase pattern keeps the blanks", "\x1b[3D   x", {}, "   x"},
    {"escape sequence cut off by the chunk end", "abc\x1b[3", {}, "abc"},
    {"bell-space alone is discarded", "\x07 ", {}, {}, true},
    {"bell-space around text keeps the text", "\x07 display vlan\x07 ", {}, "display vlan"},
    {"a lone blank without control bytes goes on", " ", {}, " "},

    // Paging prompt.
    {"paging prompt answered once", Rows + Paging, {"\r\n\r\n"}, Rows},
    {"paging prompt twice is answered once", Paging + "x" + Paging, {"\r\n\r\n"}, "x"},
    {"first half of a split paging prompt", Rows + Paging.first(20), {}, Rows + Paging.first(20)},
    {"second half of a split paging prompt", Paging.sliced(20), {}, Paging.sliced(20)},
    {"paging erase, lines and the next prompt", Erase + Rows + Paging, {"\r\n\r\n"}, Rows},
    {"a whole listing in one read loses every prompt and erase",
     Rows + Paging + Erase + Rows + Paging + Erase + Rows + Paging,
     {"\r\n\r\n"},
     Rows + Rows + Rows},
    {"cursor-back pairs one after another", "ab \x1b[1D \x1b[1Dc", {}, "abc"},
    {"the blank before a cursor-back pair stays", "a  \x1b[1Db", {}, "a b"},

    // Login dialogue.
    {"user name prompt", "\r\n>>User name:", {"admin\r\n"}, "\r\n>>User name:"},
    {"password prompt", "\r\n>>User password:", {Password}, "\r\n>>User password:"},
    {"both prompts answer the name only",
     "User name:User password:",
     {"admin\r\n"},
     "User name:User password:"},
    {"a GBK character whose second byte is U hides the prompt", "\xB0User name:", {}, "\xB0User name:"},
    {"rejected login alone", Rejected, {}, {}, true, false, false, 0, true},
    {"rejected login inside longer output", "\r\n" + Rejected, {}, "\r\n" + Rejected},
    {"rejected login with the next prompt",
     Rejected + "\r\n>>User name:",
     {"admin\r\n"},
     Rejected + "\r\n>>User name:"},

    // Idle notice and board errors.
    {"idle notice with reconnect on",
     gbk("\r\n连接超时，请重建连接后登录\r\n"),
     {},
     gbk("\r\n连接超时，请重建连接后登录\r\n"),
     false,
     true,
     true},
    {"idle notice with reconnect off", gbk("请重建连接后登录"), {}, gbk("请重建连接后登录")},
    {"wrong board type",
     gbk("  失败: 单板类型错误\r\n"),
     {"config\r\n\r\n"},
     gbk("  失败: 单板类型错误\r\n")},
    {"missing board", gbk("该板不存在"), {"config\r\n\r\n"}, gbk("该板不存在")},
    {"idle notice wins over a board error (on)",
     gbk("请重建连接后登录 单板类型错误"),
     {},
     gbk("请重建连接后登录 单板类型错误"),
     false,
     true,
     true},
    {"idle notice wins over a board error (off)",
     gbk("请重建连接后登录 该板不存在"),
     {},
     gbk("请重建连接后登录 该板不存在")},

    // The optional-parameter prompt is the script runner's to answer (with the script's own next
    // line where it has one), never the chunk stage's as well.
    {"optional-parameter prompt", "{ <cr>||<K> }:", {}, "{ <cr>||<K> }:"},
    {"paging answer, nothing for the optional-parameter prompt",
     "{ <cr>||<K> }:" + Paging,
     {"\r\n\r\n"},
     "{ <cr>||<K> }:"},
    {"reconnect, nothing for the optional-parameter prompt",
     gbk("请重建连接后登录{ <cr>||<K> }"),
     {},
     gbk("请重建连接后登录{ <cr>||<K> }"),
     false,
     true,
     true,
     0},
};

} // namespace

TEST(ChunkStage, AnswersFiltersAndPassesOn) {
    test::TempRunDir run;
    SettingsStore store(run.config());
    store.write(settings::OltAccount, QStringLiteral("admin"));
    store.write(settings::OltPassword, encodePassword(QStringLiteral("s3cret")));

    for (const Case &c : Cases) {
        SCOPED_TRACE(c.name);
        store.writeSwitch(settings::AutoReconnect, c.autoReconnect);
        const ChunkOutcome out = runChunkStage(c.chunk, store);
        EXPECT_EQ(out.sends, c.sends);
        EXPECT_EQ(out.discarded, c.discarded);
        if (!c.discarded) {
            EXPECT_EQ(out.passOn, c.passOn);
        }
        EXPECT_EQ(out.reconnect, c.reconnect);
        if (c.reconnect) {
            EXPECT_EQ(out.sendsBeforeReconnect, c.sendsBeforeReconnect);
        }
        EXPECT_EQ(out.loginRejected, c.loginRejected);
    }
}

TEST(ChunkStage, ReadsTheSettingsAtEachPrompt) {
    test::TempRunDir run;
    SettingsStore store(run.config());
    store.write(settings::OltAccount, QStringLiteral("first"));
    EXPECT_EQ(runChunkStage("User name:", store).sends, QList<QByteArray>{"first\r\n"});
    store.write(settings::OltAccount, QStringLiteral("运维"));
    EXPECT_EQ(runChunkStage("User name:", store).sends, QList<QByteArray>{gbk("运维\r\n")});
    // A stored password that does not decode is sent as empty, with the login script.
    store.write(settings::OltPassword, QStringLiteral("not-hex"));
    EXPECT_EQ(runChunkStage("User password:", store).sends.value(0), Password.sliced(6));
}

// The chunk stage looks for its texts by their GBK bytes before it decodes a chunk. That finds
// every chunk whose text holds one only while each character of these texts has one encoding.
TEST(ChunkStage, TextsSearchedAsBytesHaveOneEncodingEach) {
    const GbkPairs pairs;
    for (const QString &text : {olt::IdleNotice, olt::WrongBoardType, olt::NoSuchBoard}) {
        for (const QChar c : text) {
            int encodings = 0;
            for (int lead = 0x81; lead <= 0xFE; ++lead)
                for (int trail = 0x40; trail <= 0xFE; ++trail)
                    encodings += pairs(uchar(lead), uchar(trail)) == c.unicode();
            EXPECT_EQ(encodings, c.unicode() < 0x80 ? 0 : 1) << QString(c).toStdString();
        }
    }
}

TEST(PromptJoiner, HoldsBackTheStartOfAPromptUntilTheRestArrives) {
    const QByteArray paging = gbk("---- 任意键继续显示 ( 'Q' 键退出 ) ----");
    const QByteArray erase = "\x1b[39D" + QByteArray(39, ' ') + "\x1b[39D";
    const QByteArray stream = "  0/ 1/0 rows\r\n" + paging + erase + "  0/ 1/1 more\r\nMA5680T(config)#";
    // Whatever the cut points, the pieces handed on contain each prompt whole.
    for (qsizetype size : {1, 2, 5, 7, 13, 40}) {
        PromptJoiner joiner;
        QList<QByteArray> pieces;
        for (qsizetype at = 0; at < stream.size(); at += size)
            if (QByteArray piece = joiner.feed(stream.mid(at, size)); !piece.isEmpty()) pieces << piece;
        EXPECT_EQ(pieces.join() + joiner.flush(), stream) << size;
        EXPECT_TRUE(std::any_of(pieces.begin(), pieces.end(), [&](const QByteArray &p) {
            return p.contains(paging);
        })) << size;
        EXPECT_TRUE(std::any_of(pieces.begin(), pieces.end(), [&](const QByteArray &p) {
            return p.contains(erase);
        })) << size;
        EXPECT_TRUE(pieces.last().endsWith("(config)#")) << size;
    }
    // Ordinary text passes at once.
    PromptJoiner joiner;
    EXPECT_EQ(joiner.feed("  0/ 1/0 rows\r\n"), QByteArray("  0/ 1/0 rows\r\n"));
    EXPECT_EQ(joiner.held(), 0);
}

// A long read is searched only near its end. The tail held back must still be the one the plain
// rule gives: the longest end of the read that starts a prompt, counting only what follows the
// last complete prompt.
TEST(PromptJoiner, HoldsTheSameTailWhateverTheReadsLength) {
    const QList<QByteArray> prompts = {Paging,
                                       "---- More ( Press 'Q' to break ) ----",
                                       "(config)#",
                                       "(diagnose)%%",
                                       "User name:",
                                       "User password:",
                                       "{ <cr>||<K> }",
                                       gbk("请重建连接后登录"),
                                       Erase,
                                       "\x1b[37D" + QByteArray(37, ' ') + "\x1b[37D"};
    const auto plainRule = [&](const QByteArray &bytes) {
        qsizetype settled = 0;
        for (const QByteArray &p : prompts)
            if (const qsizetype at = bytes.lastIndexOf(p); at >= 0) settled = qMax(settled, at + p.size());
        qsizetype longest = 0;
        for (const QByteArray &p : prompts)
            for (qsizetype n = qMin(bytes.size() - settled, p.size() - 1); n > longest; --n)
                if (bytes.endsWith(p.first(n))) longest = n;
        return longest;
    };
    QList<QByteArray> pieces = {Rows, "-", "--", " ", "(config", "\x1b[39D", QByteArray(20, ' ')};
    for (const QByteArray &p : prompts)
        pieces << p << p.first(p.size() / 2) << p.first(p.size() - 1);
    QRandomGenerator random(5);
    for (int i = 0; i < 3000; ++i) {
        QByteArray bytes;
        for (int n = random.bounded(1, 12); n > 0; --n)
            bytes += pieces[random.bounded(int(pieces.size()))];
        EXPECT_EQ(unfinishedPromptTail(bytes), plainRule(bytes)) << bytes.toStdString();
    }
}

// Reads are short: a chunk of a few bytes, shorter than the prompts looked for, must never make a
// search read before it. The chunk sits right after an unreadable page, so such a read faults.
TEST(PromptJoiner, ShortChunksAreSearchedWithinThemselves) {
    test::TempRunDir run;
    const SettingsStore store(run.config());
    const QByteArray prompts[] = {Paging,
                                  "---- More ( Press 'Q' to break ) ----",
                                  "(config)#",
                                  "User name:",
                                  "{ <cr>||<K> }",
                                  Erase,
                                  gbk("请重建连接后登录")};
    struct Sink : ReceiveActions {
        QByteArray delivered;
        void write(const QByteArray &) override {}
        void reconnect() override {}
        void passwordSent() override {}
        void loginRejected() override {}
        void deliver(const QByteArray &chunk) override { delivered += chunk; }
    };
    for (const QByteArray &prompt : prompts) {
        for (qsizetype n = 1; n < prompt.size(); ++n) {
            for (const QByteArray &text : {prompt.first(n), QByteArray(n, 'x')}) {
                const test::GuardedBytes chunk(text);
                PromptJoiner joiner;
                const QByteArray now = joiner.feed(chunk.bytes());
                EXPECT_EQ(now + joiner.flush(), text);
                ReceivePath path(store);
                Sink sink;
                path.feed(chunk.view(), sink);
                path.finish(sink);
                if (!text.contains('\x1b')) { // escapes are removed
                    EXPECT_EQ(sink.delivered, text);
                }
            }
        }
    }
}

// The receive path answers a stream's paging prompts a few keys ahead of the pager and no more, so
// that "中断命令" ends a listing after at most that many pages: the break key goes to the pager
// that waits, and an output that ends first forgets both the break and the keys still on their way.
TEST(ReceivePath, PagingKeepsFewKeysAheadAndBreaksAtTheWaitingPager) {
    test::TempRunDir run;
    SettingsStore store(run.config());
    struct Sink : ReceiveActions {
        QList<QByteArray> writes;
        int broken = 0;
        void write(const QByteArray &bytes) override { writes << bytes; }
        void reconnect() override {}
        void passwordSent() override {}
        void loginRejected() override {}
        void pagingBroken() override { ++broken; }
        void deliver(const QByteArray &) override {}
    };
    const QByteArray Page = Erase + Rows + Paging; // one key taken, the next page's prompt
    const QByteArray End = Erase + "\r\nMA5680T(config)#";
    struct Step {
        const char *name;
        QByteArray chunk;
        bool breakFirst;
        QList<QByteArray> writes;
        int broken;
        bool paged; // after the step
    };
    const Step steps[] = {
        {"the first prompt gets the whole window", Rows + Paging, false, {"\r\n\r\n"}, 0, true},
        {"each later prompt took one key: topped up", Page, false, {"\r\n"}, 0, true},
        {"two prompts in one read took two keys", Page + Page, false, {"\r\n\r\n"}, 0, true},
        {"break: a key is still on its way, nothing sent", Page, true, {}, 0, true},
        {"the pager that waits gets the break key", Page, false, {"q"}, 1, true},
        {"the output ends", End, false, {}, 0, false},
        {"the next listing starts afresh", Rows + Paging, false, {"\r\n\r\n"}, 0, true},
        {"it ends with keys still on their way", "\r\n" + Rows + "\r\nMA5680T(config)#", false, {}, 0, false},
        {"those keys went to the command line", Rows + Paging, false, {"\r\n\r\n"}, 0, true},
        {"a break the output outlives is forgotten", Rows + "\r\nMA5680T(config)#", true, {}, 0, false},
        {"later pagers get page keys again", Rows + Paging, false, {"\r\n\r\n"}, 0, true},
    };
    ReceivePath path(store);
    Sink sink;
    for (const Step &s : steps) {
        SCOPED_TRACE(s.name);
        sink.writes.clear();
        sink.broken = 0;
        if (s.breakFirst) path.breakPaging();
        path.feed(s.chunk, sink);
        EXPECT_EQ(sink.writes, s.writes);
        EXPECT_EQ(sink.broken, s.broken);
        EXPECT_EQ(path.pagedOutput(), s.paged);
    }
}
