#pragma once
// The router's view of the screen as registrations: each page registers the input fields it owns
// and the text panes it shows, the window the console and the receiving indicator. What nobody
// registered reads as empty and writes nowhere, so the router runs the same without widgets.

#include "olt/RouterInterfaces.h"

#include <QHash>

#include <functional>

namespace tw {

class RouterView : public RouterFields, public RouterTargets {
  public:
    using Text = std::function<QString()>;
    using Write = std::function<void(const QString &text)>;

    void setField(Field field, Text read) { fields_[field] = std::move(read); }
    // `append` is for the query pane's streaming output; the others are replaced whole.
    void setPane(Pane pane, Write replace, Write append = {});
    void setConsole(Write append) { console_ = std::move(append); }
    void setReceiving(std::function<void(qsizetype lines, qsizetype onts)> show) {
        receiving_ = std::move(show);
    }

    QString text(Field field) const override;
    void replacePaneText(Pane pane, const QString &text) override;
    void appendQueryPane(const QString &text) override;
    void appendConsole(const QString &text) override;
    void receiving(qsizetype lines, qsizetype onts) override;

  private:
    QHash<int, Text> fields_;
    QHash<int, Write> replace_, append_;
    Write console_;
    std::function<void(qsizetype, qsizetype)> receiving_;
};

} // namespace tw
