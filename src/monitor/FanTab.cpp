#include "monitor/FanTab.h"

#include "widgets/SwitchBox.h"
#include "monitor/AlarmsAndFans.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

FanTab::FanTab(PageContext &context, QWidget *parent) : QWidget(parent) {
    auto *layout = new QVBoxLayout(this);
    const auto group = [this, layout](const char16_t *title) {
        auto *g = new QGroupBox(QString::fromUtf16(title), this);
        layout->addWidget(g);
        return new QHBoxLayout(g);
    };

    QHBoxLayout *mode = group(u"选择风扇调速方式");
    speedMode = new QComboBox(this);
    speedMode->addItems(FanSpeedModes);
    modeButton = new QPushButton(QStringLiteral("设置"), this);
    mode->addWidget(speedMode);
    mode->addWidget(modeButton);
    mode->addStretch(1);
    connect(modeButton, &QPushButton::clicked, this,
            [this, &context] { setFanSpeedMode(context, speedMode->currentIndex()); });

    QHBoxLayout *level = group(u"风扇速度控制");
    speedLevel = new QComboBox(this);
    speedLevel->addItems(FanLevels);
    levelButton = new QPushButton(QStringLiteral("设置速度"), this);
    level->addWidget(speedLevel);
    level->addWidget(levelButton);
    level->addStretch(1);
    connect(levelButton, &QPushButton::clicked, this,
            [this, &context] { setFanSpeedLevel(context, speedLevel->currentIndex()); });

    QHBoxLayout *alarms = group(u"设定风扇告警量允许/抑制");
    for (const FanAlarm &a : FanAlarms) {
        auto *box = new QCheckBox(QString::fromUtf16(a.caption), this);
        alarms->addWidget(box);
        alarmBoxes.append(box);
        if (!a.keyword) {
            // The EMU has no mask command for it: a box that ticked without effect would mislead.
            box->setEnabled(false);
            box->setToolTip(QStringLiteral("尚无电源故障告警的允许/抑制命令，此项不可用"));
            continue;
        }
        onSwitched(box, this, [&context, &a](bool permit) { return setFanAlarm(context, a, permit); });
    }
    alarms->addStretch(1);

    auto *grid = new QGridLayout;
    int i = 0;
    for (const FanDisplay &d : FanButtons) {
        auto *b = new QPushButton(QString::fromUtf16(d.caption), this);
        grid->addWidget(b, i / 3, i % 3);
        buttons.append(b);
        connect(b, &QPushButton::clicked, this, [&context, &d] { runFanButton(context, d); });
        ++i;
    }
    layout->addLayout(grid);
    layout->addStretch(1);
}

} // namespace tw
