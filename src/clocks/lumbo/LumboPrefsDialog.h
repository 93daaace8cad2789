#pragma once

#include "clocks/lumbo/LumboPrefsModel.h"
#include "ui/VrimWindow.h"

#include <memory>

class QCheckBox;
class QPushButton;

namespace vrim {

// "preff-ferendz": the Lumbo clock's colours, border and sound switch, changed on the running
// clock as they are chosen.
class LumboPrefsDialog final : public VrimWindow {
    Q_OBJECT
public:
    LumboPrefsDialog(WindowRegistry &registry, Platform &platform, const DataFolders &folders,
                     std::function<LumboLook *()> findLumbo);
    ~LumboPrefsDialog() override;

    LumboPrefsModel &model() { return *m_model; }
    // By its designer's name: "Command1" … "Command5", "Check1".
    QWidget *control(const QString &name) const;

private:
    void showState();

    std::unique_ptr<LumboPrefsModel> m_model;
    QPushButton *m_border = nullptr;
    QCheckBox *m_sound = nullptr;
};

} // namespace vrim
