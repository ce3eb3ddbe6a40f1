#pragma once

#include "core/foundation/path_style.h"

#include <QString>
#include <functional>
#include <vector>

namespace vellum {

class Prompter;
class SettingsFile;
class Workspace;

/// The file a start with this joined command line hands over: the identity of the file of that
/// name, or empty when the command line is empty or names no file.
QString handOffFile(const QString& commandLine, PathStyle style);

/// The running instance's side of the hand-off. A later start writes the file it hands over to
/// "hello" and then sends this instance a message that names the file again; the activation check
/// may find the record before the message arrives, or another start may overwrite the record
/// first. Every file opens once all the same: the message carries its own file, and a file taken
/// from the record is remembered for a while, so that the message naming it only confirms it.
class HandOffInbox {
public:
    /// Opens a handed-over file in a new document: the new-document step given that file.
    using OpenNew = std::function<void(const QString& file)>;
    /// Milliseconds on a clock that only moves forward.
    using Clock = std::function<qint64()>;
    /// How long a file taken from the record waits for the message that names it.
    static constexpr qint64 MessageWaitMs = 30000;

    HandOffInbox(Workspace& workspace, SettingsFile& settings, Prompter& prompter, OpenNew openNew,
                 PathStyle style = nativePathStyle(), Clock clock = {});

    /// The activation check: nothing when "hello" is empty; a file open already comes to the front
    /// after the " is already open." message, "hello" emptied; any other opens in a new document.
    void checkHandOff();
    /// A later start's message handing over `file` (empty: it hands over nothing): the file is
    /// taken as checkHandOff takes the record, unless checkHandOff took it from the record already.
    void received(const QString& file);

private:
    struct Taken {
        QString file;
        qint64 at;
    };
    void take(const QString& file);
    void forgetStale();

    Workspace& m_workspace;
    SettingsFile& m_settings;
    Prompter& m_prompter;
    OpenNew m_openNew;
    PathStyle m_style;
    Clock m_clock;
    std::vector<Taken> m_fromRecord;
};

} // namespace vellum
