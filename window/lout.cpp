#include "window/lout.h"

#include "window/accessible_names.h"
#include "window/core_combo_box.h"
#include "window/ripple_scroll_bar.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace lout {

Lout::Lout(ErrorPresenter presenter) : QDialog(nullptr), presenter_(std::move(presenter))
{
    buildWindow();
    nameControlsForScreenReaders(c_);
    connectHandlers();
    setFocusOrder();
}

// The controls go after the window's own part: none of their last signals
// (a box losing its focus) may reach a handler.
Lout::~Lout()
{
    for (QObject* control : findChildren<QObject*>())
        QObject::disconnect(control, nullptr, this, nullptr);
}

void Lout::connectHandlers()
{
    const auto onText = [this](QLineEdit* box, void (Lout::*handler)()) {
        connect(box, &QLineEdit::textChanged, this, [this, handler] { runHandler(handler); });
    };
    onText(c_.txt_U_2m, &Lout::txt_U_2m_Change);
    onText(c_.txt_Uout, &Lout::txt_Uout_Change);
    onText(c_.txt_Iout, &Lout::txt_Iout_Change);
    onText(c_.txt_Fosc, &Lout::txt_Fosc_Change);
    onText(c_.txt_Wave, &Lout::txt_Wave_Change);
    connect(c_.txt_Wave, &QLineEdit::editingFinished, this, [this] {
        if (c_.txt_Wave->hasFocus()) {
            applyTypedRipple(); // Enter
            return;
        }
        // The box lost its focus to a click that is still being delivered:
        // recompute after it, so the click's own release is not taken in
        // by the drawing's wait before its press.
        QMetaObject::invokeMethod(this, &Lout::applyTypedRipple, Qt::QueuedConnection);
    });
    connect(c_.croWave, &QAbstractSlider::valueChanged, this, [this] { runHandler(&Lout::croWave_Change); });
    connect(c_.croWave, &RippleScrollBar::aboutToStep, this, &Lout::takeTypedRippleBeforeStep);
    connect(c_.croWave, &RippleScrollBar::stepDone, this, [this] { runHandler(&Lout::applyRippleTakenBeforeStep); });
    connect(c_.cmb_Core, &CoreComboBox::chosen, this, [this] { runHandler(&Lout::cmb_Core_Click); });
    connect(c_.Check1, &QPushButton::toggled, this, [this] { runHandler(&Lout::Check1_Click); });
}

void Lout::setFocusOrder()
{
    QWidget* const order[] = {c_.cmb_Core, c_.txt_Iout, c_.txt_Wave, c_.txt_Fosc, c_.txt_Dmax,
                              c_.txt_U_2m, c_.txt_Uout, c_.Check1,   c_.croWave};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void Lout::runHandler(void (Lout::*handler)())
{
    try {
        (this->*handler)();
    } catch (const CatalogueError& error) {
        if (loading_) {
            if (!startupFailure_)
                startupFailure_ = std::current_exception();
            return;
        }
        if (presenter_)
            presenter_(error.number(), QString::fromStdString(error.what()));
    } catch (const std::exception& error) {
        if (loading_) {
            if (!startupFailure_)
                startupFailure_ = std::current_exception();
            return;
        }
        if (presenter_)
            presenter_(0, QString::fromStdString(error.what()));
    }
}

void Lout::rethrowStartupFailure()
{
    if (startupFailure_) {
        std::exception_ptr failure = startupFailure_;
        startupFailure_ = nullptr;
        std::rethrow_exception(failure);
    }
}

// The window manager frames the window after it is shown, and moves it
// when it does: the outer height is set again once its frame is known.
bool Lout::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::WindowActivate:
        fitOuterHeight();
        break;
    default:
        break;
    }
    return handled;
}

// The window has no Cancel button: Escape does not close it.
void Lout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Lout::Check1_Click()
{
    // Only the visibility changes: nothing is recomputed or redrawn.
    if (c_.Check1->isChecked()) {
        c_.PicBox0->hide();
        c_.Frame4->show();
    } else {
        c_.Frame4->hide();
        c_.PicBox0->show();
    }
}

} // namespace lout
