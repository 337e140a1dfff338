#include "vxhierarchydialogs.h"

VxHierarchyDialogs VxHierarchyDialogs::standard()
{
    // Not there yet: the bone sequence, weld, joint-parameter and weight-map dialogs are
    // written separately and fill these entries in when they join the build.
    return VxHierarchyDialogs();
}
