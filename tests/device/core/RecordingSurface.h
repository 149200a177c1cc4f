#pragma once
// A CommSurface that records what the link routines show, for tests.

#include "device/core/CommMembers.h"
#include "device/core/CommSurface.h"

#include <QStringList>

#include <map>
#include <set>

namespace kvl::test {

class RecordingSurface : public CommSurface {
public:
    explicit RecordingSurface(CommMembers& members) : members_(members) {}

    void SetMessage(const QString& text) override
    {
        message = text;
        messages << text;
    }
    void SetMessageColor(int color) override { messageColor = color; }
    void SetProgress(int percent, const QString& caption) override
    {
        progress = percent;
        progressCaption = caption;
    }
    void ShowBarItem(const QString& key, bool visible) override
    {
        if (visible)
            hidden.erase(key);
        else
            hidden.insert(key);
    }
    void SetBarItemText(const QString& key, const QString& text) override { barTexts[key] = text; }
    void SetListItemText(int key, const QString& text) override { listTexts[key] = text; }
    void SetListItemState(int key, int state) override { listStates[key] = state; }
    void SetListItemEnabled(int key, bool enabled) override { listEnabled[key] = enabled; }
    void RequestClose() override
    {
        ++closeRequests;
        members_.CloseRequested = true;
    }

    QString message;
    QStringList messages;
    int messageColor = -1;
    int progress = -1;
    QString progressCaption;
    std::set<QString> hidden;
    std::map<QString, QString> barTexts;
    std::map<int, QString> listTexts;
    std::map<int, int> listStates;
    std::map<int, bool> listEnabled;
    int closeRequests = 0;

private:
    CommMembers& members_;
};

} // namespace kvl::test
