#pragma once

#include "core/app/home_directory.h"
#include "core/app/settings_file.h"
#include "core/editor/text_buffer.h"
#include "ui/app/help_viewer.h"

#include <QMainWindow>

class QLabel;
class QMdiArea;

namespace vellum {

/// The main frame: holds the document windows, the status bar and the hidden scratch editor.
class TMDImain : public QMainWindow {
    Q_OBJECT
public:
    /// Builds the frame and resets what a run keeps in the settings (see resetRunState).
    TMDImain(SettingsFile& settings, const HomeDirectory& home, QWidget* parent = nullptr);
    ~TMDImain() override;

    /// Shows the frame. The first time, it is placed from the settings first.
    void start();

    /// True until the first show has placed the window.
    bool isFirstShow() const { return m_firstShow; }

    SettingsFile& settings() { return m_settings; }
    const HomeDirectory& home() const { return m_home; }
    QLabel* dates() const { return m_dates; }
    QMdiArea* area() const { return m_area; }
    TextBuffer& storememo() { return m_storememo; }
    HelpViewer& help() { return m_help; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void placeFirstShow();

    SettingsFile& m_settings;
    HomeDirectory m_home;
    QMdiArea* m_area;
    QLabel* m_dates;
    TextBuffer m_storememo;
    HelpViewer m_help;
    bool m_firstShow = true;
};

} // namespace vellum
