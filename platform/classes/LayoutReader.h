#pragma once
// Reading form layouts (the framework's text form format; see LayoutParser.h for the syntax).
//
// A form reads its own layout into itself from its constructor:
//
//     TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) { vcl::ReadComponentRes("TFORM1", this); }
//
// The top object's properties go onto the root (its class name must be the root's); nested objects
// are created by class name from the class registry, owned by the root, parented (SetParentComponent)
// to the enclosing object when they HasParent, named (which sets the root's declared field of that
// name), and their properties are set in file order. Every component read carries csLoading, and
// csReading while its own properties are read. When the whole layout is read, references to other
// components are resolved in read order, and then Loaded is called on every component in the order
// they were read, the root first (as the framework does: the root is the first entry of its list of
// components to load, the others follow in the order their objects begin).
//
// Errors raise EReadError naming the layout and the line: "Error reading Button1.Width: Invalid
// property value (Form1 line 12)". A failed read frees every component it created (and a root it
// created), so nothing half-made stays alive; the root's own properties already set keep their values.

#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/LayoutParser.h"

namespace vcl {

struct TPropInfo;

class TReader {
public:
    TReader(String LayoutName);
    ~TReader();
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    // Reads the layout into Root, or (Root null) creates the top component, owned by Owner, and
    // returns it.
    TComponent* ReadRootComponent(const TLayoutObject& Layout, TComponent* Root, TComponent* Owner = nullptr);

    // The component being read as a whole, the owner and the parent of the objects read next.
    TComponent* Root() const { return FRoot; }
    TComponent* Owner() const { return FOwner; }
    TComponent* Parent() const { return FParent; }
    const String& LayoutName() const { return FLayoutName; }

    // Reads the current object's properties and then its nested objects into Instance
    // (TComponent::ReadState calls it).
    void ReadData(TComponent* Instance);

private:
    struct Fixup {
        TObject* Instance;
        const TPropInfo* Prop;
        String Target;
        String Context; // "Button1.Styler"
        int Line;
    };

    TComponent* ReadComponent(const TLayoutObject& Node);
    void ReadProperty(TObject* Instance, const String& InstanceName, const TLayoutProperty& Prop);
    void SetValue(TObject* Target, const TPropInfo& Info, const TLayoutValue& Value, const String& Context);
    void ReadStrings(TPersistent* Target, const TLayoutValue& Value);
    void ReadCollection(TPersistent* Target, const TLayoutValue& Value, const String& Context);
    void ResolveFixups();
    void Cleanup(TComponent* CreatedRoot);
    [[noreturn]] void Fail(const String& Reason, int Line) const;
    [[noreturn]] void FailProp(const String& Context, const String& Reason, int Line) const;

    String FLayoutName;
    TComponent* FRoot = nullptr;
    TComponent* FOwner = nullptr;
    TComponent* FParent = nullptr;
    const TLayoutObject* FNode = nullptr;
    std::vector<TComponent*> FCreated; // components this read created, in order
    std::vector<TComponent*> FLoaded;  // components to call Loaded on, in order
    std::vector<Fixup> FFixups;
};

// Reads a layout text into Root (or creates its top component when Root is null, owned by Owner).
// LayoutName names the layout in error messages.
TComponent* ReadComponentFromText(std::string_view Text, TComponent* Root, const String& LayoutName,
                                  TComponent* Owner = nullptr);

// Reads the compiled-in layout resource ResName (RT_RCDATA; a form's layout is named by its class
// name upper-cased) into Root. A missing resource raises EResNotFound.
void ReadComponentRes(const String& ResName, TComponent* Root);

} // namespace vcl
