// The window "Повзунки констант": a slider with its bounds and step for every
// constant of the 2D or 3D constants list that holds a plain number, a play button
// that sweeps it, and the reason on every constant that cannot be adjusted.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "app/ConstantSliders.h"
#include "windows/WindowKit.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollArea;
class QSlider;
class QSpinBox;
class QToolButton;

namespace lw {

inline constexpr std::string_view SlidersCaption = "Повзунки констант";
inline constexpr std::string_view BadConstantValueText = "Помилка вводу значення константи";

class ConstantSlidersWindow : public SecondaryWindow,
                              public ProgramObserver,
                              private ConstantSlidersObserver {
 public:
  ConstantSlidersWindow(QWidget* parent, Program& program);
  ~ConstantSlidersWindow() override;

  // Shows the window on the constants of one space.
  void Open(bool threeD);
  bool ThreeD() const { return threeD_; }
  ConstantSliders& Sliders() { return *sliders_; }

  // One row per non-blank line of the constants list.
  struct Row {
    ConstantLine constant;
    QLabel* name = nullptr;
    QSlider* slider = nullptr;  // null when not adjustable
    QLineEdit* value = nullptr;
    QLineEdit* lower = nullptr;
    QLineEdit* upper = nullptr;
    QLineEdit* step = nullptr;
    QToolButton* play = nullptr;
    QLabel* fixed = nullptr;  // "не змінюється", when not adjustable
  };
  const std::vector<Row>& Rows() const { return rows_; }
  QSpinBox* Speed() const { return speed_; }
  QRadioButton* Page2D() const { return page2D_; }
  QRadioButton* Page3D() const { return page3D_; }

  // ProgramObserver
  void ParametersChanged() override { Refresh(); }
  void DocumentChanged() override { Refresh(); }
  void OptionsChanged() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void PlayChanged() override;
  bool EndsPlay(QObject* watched) const;
  void Refresh();
  void BuildRows();
  void AddAdjustableRow(Row& row, int gridRow);
  void ShowValues();
  void ShowRange(const Row& row);
  void OnSlider(std::size_t rowIndex, int step);
  void OnValueTyped(std::size_t rowIndex);
  void OnRangeTyped(std::size_t rowIndex);
  void OnPlay(std::size_t rowIndex);
  std::optional<double> ReadNumber(const QLineEdit* field);

  Program& program_;
  std::unique_ptr<ConstantSliders> sliders_;
  bool threeD_ = false;
  std::vector<Row> rows_;
  QScrollArea* scroll_ = nullptr;
  QWidget* rowsPanel_ = nullptr;
  QGridLayout* grid_ = nullptr;
  QSpinBox* speed_ = nullptr;
  QRadioButton* page2D_ = nullptr;
  QRadioButton* page3D_ = nullptr;
};

// The one slider window of the main window, made the first time it is asked for,
// shown on the constants of one space.
ConstantSlidersWindow& OpenConstantSliders(QWidget* mainWindow, Program& program, bool threeD);
// That window, when it was made.
ConstantSlidersWindow* FindConstantSliders(QWidget* mainWindow);

}  // namespace lw
