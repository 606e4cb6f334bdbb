#pragma once
// Streams a form definition into an existing root component (the form).
//
// The root takes its own properties and name; each nested object is found among
// the root's components by name (the form class may have made it already) or
// created by class name with the root as owner, named, given the enclosing
// component through SetParentComponent, and its properties set, depth first.
// Events bind to root->MethodAddress(handler name). While reading, every
// component read is marked loading; after the whole tree each one (the root
// last) leaves the loading state and gets Loaded(). Every failure raises
// EFormDefError naming the file, the line and the property.
#include <string>

#include "toolkit/base/component.h"
#include "toolkit/base/form_parser.h"

void ReadForm(TComponent& root, const TFormObject& tree, const std::string& fileName);

// Parses the text and reads it into the root.
void ReadFormDefinition(TComponent& root, const std::string& text, const std::string& fileName);
