#pragma once

#include "help/HelpPage.h"
#include "settings/DataFolders.h"
#include "ui/VrimWindow.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace vrim {

// "Vrim Clocks Help": one help page, an in-window sample picture and the sample button. Other
// windows hand it a help key through showHelpPage(); the key loads the page.
class HelpPageWindow : public VrimWindow {
    Q_OBJECT
public:
    HelpPageWindow(WindowRegistry &registry, DataFolders folders);

    void setPageKey(const QString &key) override;
    void unloading() override;

    const help::HelpPage &page() const { return m_page; }
    QTextEdit *textBox() const { return m_box; }
    QLabel *picture() const { return m_picture; }
    QPushButton *sampleButton() const { return m_sample; }
    QPushButton *exitButton() const { return m_exit; }

private:
    void showText(const QString &text);
    void loadPage(const QString &pageFile);
    void showPicture(const QString &pictureFile);
    void hideSampleWindow(const QString &name);
    void showButton();

    DataFolders m_folders;
    help::HelpPage m_page;
    QTextEdit *m_box = nullptr;
    QLabel *m_picture = nullptr;
    QPushButton *m_sample = nullptr;
    QPushButton *m_exit = nullptr;
};

} // namespace vrim
