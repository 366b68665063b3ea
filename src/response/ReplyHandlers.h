#pragma once
// What completed outputs do to the grids and the chassis picture: the handlers the router calls.

#include "olt/RouterInterfaces.h"

#include <QString>

#include <functional>

namespace tw {

class GridModel;
struct SharedValues;

// The first line of an output that tells of a failure ("失败：…", "Failure: …", "% …", "…不存在",
// "…错误"), trimmed; empty when there is none.
QString failureLine(QStringView text);

class ReplyHandlers : public RouterHandlers {
  public:
    ReplyHandlers(GridModel &ontList, GridModel &discovery, GridModel &versions, SharedValues &shared)
        : ontList_(ontList), discovery_(discovery), versions_(versions), shared_(shared) {}

    // The chassis page redraws from the reply text.
    std::function<void(const QString &reply)> chassis;
    // The first discovered ONT's key for the two serial-number boxes.
    std::function<void(const QString &key)> discoveredKey;
    // Whether "开启自动注册" is ticked, and the automatic registration of the first ONT.
    std::function<bool()> autoRegisterOn;
    std::function<void(const QString &text)> autoRegister;
    // An "ont add" reply (RouterRule::OntAdd).
    std::function<void(const QString &text)> onAddReply;
    // What a grid listing came back with, for the status bar, so an empty grid is never a mystery:
    // the OLT's failure line, that nothing was found, or how many rows came.
    std::function<void(const QString &message)> report;

    void redrawChassis(QByteArrayView output) override;
    void ontList(QByteArrayView output) override;
    void discovery(const QString &text) override;
    void addReply(const QString &text) override;
    void versionList(QByteArrayView output) override;
    // What came before the break, never told as a complete listing.
    void ontListCut(QByteArrayView output) override;
    void versionListCut(QByteArrayView output) override;

  private:
    void tell(const QString &message) const;
    // The rows of a listing into its grid; how many came.
    qsizetype fillOntList(QByteArrayView output);
    qsizetype fillVersions(QByteArrayView output);

    GridModel &ontList_, &discovery_, &versions_;
    SharedValues &shared_;
};

} // namespace tw
