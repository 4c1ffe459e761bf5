// The public members of the settings objects, each passed on to the
// implementation, and the objects' registration for re-creation by class name.
#include "settings/settings_objects.h"

#include <memory>

#include "persist/class_factory.h"

namespace rxTheme {

namespace {

const ClassRegistration kColorObject(u"CColorObject",
                                     [] { return std::make_shared<ColorObjectImpl>(); });
const ClassRegistration kGraphObject(u"CGraphObject",
                                     [] { return std::make_shared<GraphObjectImpl>(); });
const ClassRegistration kBaseObject(u"CThemeBaseObject",
                                    [] { return std::make_shared<BaseObjectImpl>(); });

}  // namespace

// The get and set of each public property of a list (none for an internal one).
#define RX_PUBLIC_MEMBERS_kImage(Class, Impl, Name)                              \
  WString Class::Name() const { return ImplOf(*this).Effective(Impl::k##Name); } \
  void Class::Name(const WString& value) { ImplOf(*this).SetCustom(Impl::k##Name, value); }
#define RX_PUBLIC_MEMBERS_kText(Class, Impl, Name) RX_PUBLIC_MEMBERS_kImage(Class, Impl, Name)
#define RX_PUBLIC_MEMBERS_kInternal(Class, Impl, Name)
#define RX_COLOR_MEMBERS(Name, kind, prefix, reader) \
  RX_PUBLIC_MEMBERS_##kind(CColorObject, ColorObjectImpl, Name)
#define RX_GRAPH_MEMBERS(Name, kind, prefix, reader) \
  RX_PUBLIC_MEMBERS_##kind(CGraphObject, GraphObjectImpl, Name)
#define RX_BASE_MEMBERS(Name, kind, prefix, reader) \
  RX_PUBLIC_MEMBERS_##kind(CThemeBaseObject, BaseObjectImpl, Name)

// The switches and the access by position, the same for each class.
#define RX_COMMON_MEMBERS(Class, Impl)                                                             \
  bool Class::UseThemeSettings() const { return ImplOf(*this).UseThemeSettings(); }                \
  void Class::UseThemeSettings(bool value) { ImplOf(*this).UseThemeSettings(value); }              \
  bool Class::UseCustomSettings() const { return ImplOf(*this).UseCustomSettings(); }              \
  void Class::UseCustomSettings(bool value) { ImplOf(*this).UseCustomSettings(value); }            \
  const std::vector<WString>& Class::StringPropertyNames() { return Impl::StringPropertyNames(); } \
  WString Class::GetStringProperty(size_t position) const {                                        \
    return ImplOf(*this).GetStringProperty(position);                                              \
  }                                                                                                \
  void Class::SetStringProperty(size_t position, const WString& value) {                           \
    ImplOf(*this).SetStringProperty(position, value);                                              \
  }

RX_COLOR_PROPERTIES(RX_COLOR_MEMBERS)
RX_COMMON_MEMBERS(CColorObject, ColorObjectImpl)
RX_GRAPH_PROPERTIES(RX_GRAPH_MEMBERS)
RX_COMMON_MEMBERS(CGraphObject, GraphObjectImpl)
RX_BASE_PROPERTIES(RX_BASE_MEMBERS)
RX_COMMON_MEMBERS(CThemeBaseObject, BaseObjectImpl)

}  // namespace rxTheme
