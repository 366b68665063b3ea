#include "admin/OntFirmwareWidget.h"

#include "admin/OntDataExtraction.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <iterator>

namespace tw {

OntFirmwareWidget::OntFirmwareWidget(PageContext &context, QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("OntFirmware"));
    const FirmwareFields initial;
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *grid = new QGridLayout;
    layout->addLayout(grid, 3);
    int row = 0;
    const auto field = [&](const char16_t *label, const QString &text) {
        auto *box = new QLineEdit(text, this);
        grid->addWidget(new QLabel(QString::fromUtf16(label), this), row, 0);
        grid->addWidget(box, row++, 1);
        return box;
    };
    address = field(u"TFTP地址：", initial.address);
    file = field(u"固件/配置 文件：", initial.file);
    browseButton = new QPushButton(QStringLiteral("浏览文件"), this);
    grid->addWidget(browseButton, row - 1, 2);
    board = field(u"ONT所在板卡：", initial.board);
    port = field(u"端口(为空则所有端口)：", initial.port);
    ont = field(u"ONT(为空则所有ONT)：", initial.ont);

    auto *modes = new QHBoxLayout;
    defaultMode = new QRadioButton(QStringLiteral("缺省模式"), this);
    immediateMode = new QRadioButton(QStringLiteral("立即生效模式"), this);
    nextStartupMode = new QRadioButton(QStringLiteral("下次重启生效模式"), this);
    auto *group = new QButtonGroup(this);
    for (QRadioButton *r : {defaultMode, immediateMode, nextStartupMode}) {
        group->addButton(r);
        modes->addWidget(r);
    }
    modes->addStretch(1);
    nextStartupMode->setChecked(true);
    grid->addWidget(new QLabel(QStringLiteral("ONT生效模式："), this), row, 0);
    grid->addLayout(modes, row++, 1, 1, 2);

    auto *row1 = new QHBoxLayout;
    const char16_t *captions[] = {u"调试模式",     u"固件升级", u"配置升级", u"查看加载信息",
                                  u"查看升级进度", u"停止升级", u"退出调试"};
    for (int i = 0; i < int(std::size(captions)); ++i) {
        auto *b = new QPushButton(QString::fromUtf16(captions[i]), this);
        row1->addWidget(b);
        buttons.append(b);
        connect(b, &QPushButton::clicked, this,
                [this, &context, i] { runFirmwareAction(context, FirmwareAction(i), fields()); });
    }
    row1->addStretch(1);
    grid->addLayout(row1, row++, 0, 1, 3);

    QString plain = FirmwareNote;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    note = new QLabel(plain, this);
    note->setObjectName(QStringLiteral("FirmwareNote"));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(note, 2);

    // No ONT without its port, no port without its board.
    connect(board, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!text.isEmpty()) return;
        port->clear();
        ont->clear();
    });
    connect(port, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (text.isEmpty()) ont->clear();
    });
    connect(browseButton, &QPushButton::clicked, this, [this, &context] {
        if (const auto name = browseFirmwareFile(context.op, runDirectoryOf(context))) file->setText(*name);
    });
}

ActiveMode OntFirmwareWidget::mode() const {
    // Tested in this order; the last checked one wins.
    ActiveMode m = ActiveMode::Default;
    if (nextStartupMode->isChecked()) m = ActiveMode::NextStartup;
    if (immediateMode->isChecked()) m = ActiveMode::Immediate;
    if (defaultMode->isChecked()) m = ActiveMode::Default;
    return m;
}

FirmwareFields OntFirmwareWidget::fields() const {
    return {file->text(), address->text(), board->text(), port->text(), ont->text(), mode()};
}

} // namespace tw
