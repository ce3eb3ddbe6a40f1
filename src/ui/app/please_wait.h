#pragma once

#include <QFrame>
#include <QPointer>

namespace vellum {

/// "Please wait." shown above everything, centred, while a large file loads. A click closes it.
class Twaiter : public QFrame {
    Q_OBJECT
public:
    Twaiter();

    /// Shows a waiter and lets it paint when `needed`; the waiter closes when the returned object
    /// goes out of scope.
    class Scope {
    public:
        explicit Scope(bool needed);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        QPointer<Twaiter> m_waiter;
    };

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace vellum
