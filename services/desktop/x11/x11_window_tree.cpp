#include "services/desktop/x11/x11_window_tree.h"

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "services/core/errors.h"
#include "services/desktop/x11/x11_title_text.h"

namespace tolm {
namespace {

// Longest property read: a little more than the 254 bytes that take part.
constexpr uint32_t kTitleLongs = 66;
constexpr uint32_t kClassLongs = 130;  // instance and class

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

struct Node {
  xcb_window_t id = 0;
  bool alive = false;
  std::vector<size_t> children;  // indices into the node table, bottom to top
  xcb_query_tree_cookie_t tree{};
  xcb_get_property_cookie_t netName{}, name{}, wmClass{};
  std::string title, className;
};

struct PropertyText {
  xcb_atom_t type = XCB_ATOM_NONE;
  std::string bytes;
};

PropertyText ReadText(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr));
  if (!reply || reply->format != 8) return {};
  const char* value = static_cast<const char*>(xcb_get_property_value(reply.get()));
  return {reply->type, std::string(value, static_cast<size_t>(xcb_get_property_value_length(reply.get())))};
}

// WM_CLASS holds "instance\0class\0"; the class is the second string.
std::string ClassPart(const std::string& wmClass) {
  const size_t end = wmClass.find('\0');
  if (end == std::string::npos) return {};
  const std::string rest = wmClass.substr(end + 1);
  return rest.substr(0, rest.find('\0'));
}

// Sends the requests for one level of the tree; the root needs no properties.
void Request(xcb_connection_t* c, Node& node, bool isRoot, xcb_atom_t netWmName, bool withClass) {
  node.tree = xcb_query_tree(c, node.id);
  if (isRoot) return;
  node.netName = xcb_get_property(c, 0, node.id, netWmName, XCB_GET_PROPERTY_TYPE_ANY, 0, kTitleLongs);
  node.name = xcb_get_property(c, 0, node.id, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, kTitleLongs);
  if (withClass) node.wmClass = xcb_get_property(c, 0, node.id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, kClassLongs);
}

// Reads the replies of one node; returns the ids of its children.
std::vector<xcb_window_t> Collect(xcb_connection_t* c, Node& node, bool isRoot, bool withClass,
                                  const std::function<std::string(PropertyText)>& nameToUtf8) {
  std::vector<xcb_window_t> children;
  Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, node.tree, nullptr));
  if (tree) {
    node.alive = true;
    const xcb_window_t* ids = xcb_query_tree_children(tree.get());
    children.assign(ids, ids + xcb_query_tree_children_length(tree.get()));
  }
  if (isRoot) return children;
  // Every reply is read even for a vanished window, so none is left queued.
  PropertyText netName = ReadText(c, node.netName);
  PropertyText name = ReadText(c, node.name);
  if (withClass) node.className = ClassPart(ReadText(c, node.wmClass).bytes);
  node.title = !netName.bytes.empty() ? std::move(netName.bytes) : nameToUtf8(std::move(name));
  return children;
}

void PostOrder(std::vector<Node>& nodes, size_t index, std::vector<WindowInfo>& out) {
  Node& node = nodes[index];
  for (auto it = node.children.rbegin(); it != node.children.rend(); ++it) PostOrder(nodes, *it, out);
  if (index != 0 && node.alive) {
    out.push_back({static_cast<WindowHandle>(node.id), std::move(node.title), std::move(node.className)});
  }
}

}  // namespace

void X11WindowTree::Connect() {
  if (xcb_.connection && xcb_connection_has_error(xcb_.connection.get()) == 0) return;
  xcb_ = OpenXcb("window commands need");
  xcb_connection_t* c = xcb_.connection.get();
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < xcb_.screen && screens.rem > 0; ++i) xcb_screen_next(&screens);
  root_ = screens.data->root;
  const auto intern = [c](std::string_view name) { return xcb_intern_atom(c, 0, name.size(), name.data()); };
  const xcb_intern_atom_cookie_t netWmName = intern("_NET_WM_NAME");
  const xcb_intern_atom_cookie_t compoundText = intern("COMPOUND_TEXT");
  const auto atom = [c](xcb_intern_atom_cookie_t cookie) {
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  };
  netWmName_ = atom(netWmName);
  titleTypes_ = {XCB_ATOM_STRING, atom(compoundText)};
}

std::vector<WindowInfo> X11WindowTree::List(bool withClasses) {
  Connect();
  xcb_connection_t* c = xcb_.connection.get();
  std::vector<Node> nodes(1);
  nodes[0].id = root_;
  std::vector<size_t> level{0};
  const auto nameToUtf8 = [this](PropertyText name) {
    return TitleToUtf8(name.type, std::move(name.bytes), titleTypes_,
                       [this] { return xlib_.Get("window commands need"); });
  };
  while (!level.empty()) {
    for (size_t i : level) Request(c, nodes[i], i == 0, netWmName_, withClasses);
    std::vector<size_t> next;
    for (size_t i : level) {
      for (xcb_window_t child : Collect(c, nodes[i], i == 0, withClasses, nameToUtf8)) {
        nodes[i].children.push_back(nodes.size());
        next.push_back(nodes.size());
        Node added;
        added.id = child;
        nodes.push_back(std::move(added));  // may move nodes: index, never hold references
      }
    }
    level = std::move(next);
  }
  if (xcb_connection_has_error(c) != 0) {
    // Without this every window would look vanished, and a wait for a
    // window to close would end at once.
    xcb_ = {};
    throw Exception("Lost the connection to the X display during a window search");
  }
  std::vector<WindowInfo> out;
  out.reserve(nodes.size());
  PostOrder(nodes, 0, out);
  return out;
}

}  // namespace tolm
