#include "ui/mapedit/editor_list.h"

#include <QWidget>

#include "core/mapedit/limits.h"
#include "ui/mapedit/tab_accessible.h"

namespace ign {

namespace {
constexpr const char* kListName = "TMapEditorList";
}

TMapEditorList::TMapEditorList(QWidget* window) : QObject(window) { setObjectName(kListName); }

TMapEditorList& TMapEditorList::Of(QWidget* window) {
  for (QObject* child : window->children()) {
    if (child->objectName() == QLatin1String(kListName)) {
      if (auto* list = dynamic_cast<TMapEditorList*>(child)) return *list;
    }
  }
  return *new TMapEditorList(window);
}

std::vector<TTab*> TMapEditorList::Editors() const {
  std::vector<TTab*> out;
  for (const QPointer<TTab>& e : editors_) {
    if (e) out.push_back(e.data());
  }
  return out;
}

bool TMapEditorList::Add(TTab* editor) {
  std::erase_if(editors_, [](const QPointer<TTab>& e) { return e.isNull(); });
  if (static_cast<int>(editors_.size()) >= kMaxMapEditors) return false;
  editors_.emplace_back(editor);
  return true;
}

TTab* CreateMapEditor(int identifier, int width, int height, uint32_t editorFlags, QWidget* parent) {
  if (!parent) return nullptr;
  TMapEditorList& list = TMapEditorList::Of(parent->window());
  if (list.Count() >= kMaxMapEditors) return nullptr;
  InstallMapEditorAccessibility();
  auto* editor = new TTab(identifier, editorFlags, parent);
  editor->setGeometry(0, 0, width > 0 ? width : 500, height > 0 ? height : 200);
  editor->Model().SetAutoscrollFlag(&list.Autoscroll());
  editor->SetColouring3D(4);
  list.Add(editor);
  return editor;
}

}  // namespace ign
