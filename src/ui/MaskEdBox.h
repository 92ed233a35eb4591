#pragma once
// A masked text box. Mask characters: '#' a digit, '&' any character;
// everything else is a literal. Unfilled places show the prompt '_'.
// Text() reads the box with its literals and prompts, so an untouched
// "###.###" box reads "___.___".
#include <QLineEdit>

namespace ui {

class MaskEdBox : public QLineEdit {
  Q_OBJECT
 public:
  explicit MaskEdBox(QWidget* parent = nullptr);

  void SetMask(const QString& mask);
  QString Mask() const { return mask_; }
  // The text with literals and prompt characters.
  QString Text() const;
  // Sets the text (with or without literals). An empty text clears the box
  // to its prompts; a text read from such a box (as stored) comes back
  // place by place, prompts included. The cursor goes to the start so typing
  // fills the box.
  void SetText(const QString& text);
  // Only the typed characters, without literals or prompts.
  QString ClipText() const;

 protected:
  void focusInEvent(QFocusEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  // Whether t has the mask's literals in their places and fits its places.
  bool SusunanMask(const QString& t) const;
  QString mask_;
};

}  // namespace ui
