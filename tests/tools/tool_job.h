// Jobs for the tool file tests, composed as JSON, and the tool file that the
// writer builds from them.
#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "export/tools/tool_file_content.h"
#include "support/test_host.h"

namespace tool_job {

using nlohmann::json;

inline json Line(double x0, double y0, double x1, double y1) {
  return {{"kind", "L"}, {"start", {x0, y0}}, {"end", {x1, y1}}};
}
inline json Arc(double x1, double y1, double radius, double direction) {
  return {{"kind", "A"}, {"start", {0, 0}}, {"end", {x1, y1}}, {"radius", radius}, {"direction", direction}};
}
inline json Point(double x, double y) { return {{"kind", "P"}, {"start", {x, y}}, {"end", {0, 0}}}; }
inline json Segment(const std::string& kind) { return {{"kind", kind}, {"start", {1, 1}}, {"end", {2, 2}}}; }

// An operation of type `type` with tool `number` of tool id `id`; `tool`
// adds or overrides tool fields, `holder` is the holder number.
inline json Op(int type, long long number, long long id, json tool = json::object(), int holder = 0) {
  json t = {{"number", number}, {"id", id}};
  for (auto& [key, value] : tool.items()) t[key] = value;
  return {{"type", type}, {"tool", t}, {"holder_number", holder}};
}

inline json Assembly(int id, double length, json profile, json extra = json::object()) {
  json a = {{"id", id}, {"overall_length", length}, {"profile", std::move(profile)}};
  for (auto& [key, value] : extra.items()) a[key] = value;
  return a;
}

inline json LatheTool(int id, double length, json profile, json extra = json::object()) {
  json t = {{"id", id}, {"length", length}, {"insert_profile", std::move(profile)}};
  for (auto& [key, value] : extra.items()) t[key] = value;
  return t;
}

inline json Holder(int number, const std::string& name, bool by_number, double dia, double length) {
  return {{"number", number}, {"name", name}, {"by_number", by_number}, {"levels", {{dia, 0, length}}}};
}

struct Job {
  json operations = json::array();
  json assemblies = json::array();
  json lathe_tools = json::array();
  json holders = json::array();
  json end_of_list_type;  // what the host leaves in the record at the end of a walk (null: nothing)

  std::string Text() const {
    json group = {{"operations", operations}};
    if (!end_of_list_type.is_null()) group["end_of_list_type"] = end_of_list_type;
    json job = {{"format", "quenlo-job/1"},
                {"host", {{"code_page", 932}}},
                {"machine_group", group},
                {"tools", {{"assemblies", assemblies}, {"lathe_tools", lathe_tools}, {"holders", holders}}}};
    return job.dump();
  }
};

// Installs the job in the stand-in host and builds its tool file.
inline std::string ToolFileOf(const Job& job) {
  testing_support::TempDir dir;
  if (!testing_support::InstallJob(job.Text(), dir.path())) return "<bad job>";
  std::string out;
  quenlo::BuildToolFile(out);
  return out;
}

// The lines of a tool file, without their line feeds.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace tool_job
