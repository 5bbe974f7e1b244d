// Answering a menu or modal dialog that the code under test opens and waits on.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// Once a visible top-level W appears, calls answer with it. Gives up after a few
// seconds, closing whatever is modal so that the test fails instead of hanging.
template <class W>
void AnswerWhenShown(std::function<void(W&)> answer) {
  auto* timer = new QTimer;
  auto* waited = new int(0);
  QObject::connect(timer, &QTimer::timeout, [timer, waited, answer] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* wanted = qobject_cast<W*>(window); wanted && wanted->isVisible()) {
        timer->stop();
        timer->deleteLater();
        delete waited;
        answer(*wanted);
        return;
      }
    }
    if (++*waited < 500) return;
    timer->stop();
    timer->deleteLater();
    delete waited;
    ADD_FAILURE() << "the expected window never appeared";
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  timer->start(10);
}
