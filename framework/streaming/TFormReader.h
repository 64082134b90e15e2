#pragma once
#include <string>
#include <vector>

#include "framework/streaming/TFormParser.h"

namespace fw {

class TComponent;
class TClassInfo;
struct TPropInfo;
struct TFieldInfo;

/// Reads a text form description into an existing root component (a form) whose class is
/// registered. For each nested `object` block it creates the component by class name, owned
/// by the root, names it, stores it in the root's component field of that name (when the
/// root's table has one) and gives it the enclosing block's component as parent (the class's
/// parent hook decides what that means). Properties are set by name while every component,
/// the root included, is in the loading state; component references are resolved once all
/// objects exist; events are bound to the root's methods by name. Then Loaded() runs for the
/// root and for each created component in creation order; the caller runs OnCreate after.
///
/// Unknown classes, properties, values, methods and references throw FormException naming the
/// line; on any failure the components created so far are freed again and the fields cleared.
/// Binary data ({ ... }) belongs to properties the tables do not publish and is skipped.
class TFormReader {
public:
  static void ReadRoot(TComponent& root, const std::string& text);

private:
  TFormReader(TComponent& root, const TClassInfo& rootInfo, void* rootSelf)
      : mRoot(root), mRootInfo(rootInfo), mRootSelf(rootSelf) {}

  struct TFixup {
    void* Self;
    const TPropInfo* Property;
    std::string Target;
    std::string Path;
    int Line;
  };
  struct TAssignedField {
    const TFieldInfo* Field;
    void* Self;
  };

  void Read(const TFormObject& tree);
  void ReadChild(const TFormObject& object, TComponent* enclosing);
  void ReadProperties(const TClassInfo& info, void* self, const std::vector<TFormProperty>& properties,
                      const std::string& owner);
  void ReadProperty(const TClassInfo& info, void* self, const TFormProperty& property, const std::string& owner);
  void SetValue(const TPropInfo& prop, void* self, const TFormValue& value, const std::string& path);
  int64_t OrdinalValue(const TPropInfo& prop, const TFormValue& value, const std::string& path) const;
  void ResolveFixups();
  void Undo();

  TComponent& mRoot;
  const TClassInfo& mRootInfo;
  void* mRootSelf;
  std::vector<TComponent*> mCreated;
  std::vector<int> mCreatedLines;  // the line of each created object's declaration
  std::vector<TFixup> mFixups;
  std::vector<TAssignedField> mFields;
};

}  // namespace fw
