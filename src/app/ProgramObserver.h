// How the windows hear of the program's changes: the observer interface and the one
// list every part of the program notifies through, so a part reports a change without
// going back through the object that owns it.
#pragma once

#include <algorithm>
#include <vector>

namespace lw {

// What the windows show of the program; each notification says which part changed.
class ProgramObserver {
 public:
  virtual ~ProgramObserver() = default;
  virtual void StatusChanged() {}
  virtual void OptionsChanged() {}  // the option switches, scan mode, temporary grid
  virtual void SpaceChanged() {}
  virtual void DocumentChanged() {}    // the whole document was replaced (load, new)
  virtual void ParametersChanged() {}  // a build-parameter text, list or flag
  virtual void AppearanceChanged() {}
  virtual void CaptionChanged() {}
  virtual void GraphsChanged() {}  // a graph list or its selection
  virtual void PictureChanged() {}
  virtual void PaletteChanged() {}
  virtual void WorkChanged() {}  // long work started or ended
  // A gesture of the hand begins or ends (DocumentEditor::BeginGesture): the document
  // changes between the two are one step for the user.
  virtual void GestureBegan() {}
  virtual void GestureEnded() {}
};

class ProgramObservers {
 public:
  void Add(ProgramObserver* observer) {
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
      observers_.push_back(observer);
  }
  void Remove(ProgramObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
  }
  // An observer may remove itself (or another) while it is told.
  template <class Fn>
  void Notify(Fn fn) const {
    const auto copy = observers_;
    for (ProgramObserver* o : copy) (o->*fn)();
  }

 private:
  std::vector<ProgramObserver*> observers_;
};

}  // namespace lw
