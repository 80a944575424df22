#pragma once

#include <QDialog>
#include <QImage>
#include <cstdint>

#include "game/ItemDialogModel.h"
#include "ui/PixelScale.h"

class QLabel;
class QPushButton;
class QTimer;

namespace moriva {

// The treasure-box dialog: the item's icon and a message revealed letter by letter, with
// an OK button whose colour cycles while it waits. Built afresh for every showing; only
// the colour phase, which the caller keeps, carries over.
//
// The window's own close button (and Escape) acts as OK would: it moves on to a pending
// second message, and closes only when there is none.
class frmGetItem : public QDialog {
  Q_OBJECT

 public:
  // Client area and element layout, in pixels.
  static constexpr int kClientWidth = 246, kClientHeight = 109;

  // factor: the game window's scale, which the dialog takes over.
  frmGetItem(int itemNo, std::int32_t& colorPhase, ItemDialogModel::EffectPlayer playEffect,
             QWidget* parent = nullptr, int factor = 1);
  ~frmGetItem() override;

  // Builds the dialog for itemNo, shows it modally and returns once it has been closed.
  static void ShowModal(int itemNo, std::int32_t& colorPhase,
                        ItemDialogModel::EffectPlayer playEffect, QWidget* parent, int factor = 1);

  const ItemDialogModel& model() const { return model_; }
  const PixelScale& scale() const { return scale_; }
  // The message as both labels show it, with its line breaks.
  const QString& messageText() const { return shownText_; }
  QLabel* lblMS() const { return lblMS_; }
  QLabel* lblMS2() const { return lblMS2_; }
  QLabel* picItem() const { return picItem_; }
  QPushButton* cmdOK() const { return cmdOK_; }
  QTimer* tmrMS() const { return tmrMS_; }
  QTimer* tmrButtonColor() const { return tmrButtonColor_; }

 public slots:
  void tmrMS_Timer();
  void tmrButtonColor_Timer();
  void cmdOK_Click();
  void reject() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Form_Load(int itemNo);
  void ShowModelState();

  ItemDialogModel model_;
  PixelScale scale_;
  QImage background_;
  QString shownText_;
  QLabel* picItem_ = nullptr;
  QLabel* lblMS_ = nullptr;
  QLabel* lblMS2_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QTimer* tmrMS_ = nullptr;
  QTimer* tmrButtonColor_ = nullptr;
  Pixel shownButtonColor_ = 0;
};

}  // namespace moriva
