#include <gtest/gtest.h>

#include "job.h"

namespace standin {
namespace {

std::string ErrorOf(const std::string& json) {
  Job job;
  JobError error;
  EXPECT_FALSE(ParseJob(json, L"j.json", job, error)) << json;
  return error.message;
}

TEST(JobFile, BadJobsNameTheFileThePathAndWhatWasExpected) {
  EXPECT_EQ(ErrorOf("{"), "j.json: /: expected a JSON document (the file is not valid JSON at line 1, column 2)");
  EXPECT_EQ(ErrorOf("{\n  \"format\": \"quenlo-job/1\",\n  \"host\": x\n}"),
            "j.json: /: expected a JSON document (the file is not valid JSON at line 3, column 11)");
  EXPECT_EQ(ErrorOf(R"({"host": {"code_page": 8E888}})"),
            "j.json: /: expected a JSON document (a number in the file is out of range)");
  EXPECT_EQ(ErrorOf("[]"), "j.json: /: expected an object");
  EXPECT_EQ(ErrorOf(R"({"format":"other"})"), "j.json: /format: expected \"quenlo-job/1\"");
  EXPECT_EQ(ErrorOf(R"({})"), "j.json: /format: expected a field \"format\"");
  const std::string head = R"({"format":"quenlo-job/1",)";
  EXPECT_EQ(ErrorOf(head + R"("host":{"metric":"yes"}})"), "j.json: /host/metric: expected true or false");
  EXPECT_EQ(ErrorOf(head + R"("machine_group":{"operations":[{"type":1}]}})"),
            "j.json: /machine_group/operations/0/tool: expected a field \"tool\"");
  EXPECT_EQ(ErrorOf(head + R"("machine_group":{"operations":[{"type":1,"tool":{"number":"3","id":1}}]}})"),
            "j.json: /machine_group/operations/0/tool/number: expected an integer");
  EXPECT_EQ(ErrorOf(head + R"("machine_group":{"stock":{"size":[1,2]}}})"),
            "j.json: /machine_group/stock/size: expected an array of 3 numbers");
  EXPECT_EQ(ErrorOf(head + R"("machine_group":{"stock":{"shape":"cone"}}})"),
            "j.json: /machine_group/stock/shape: expected \"box\", \"bar\", \"solid\", \"file\" or an integer");
  EXPECT_EQ(ErrorOf(head + R"("tools":{"holders":[{"number":0,"levels":[[1,2]]}]}})"),
            "j.json: /tools/holders/0/levels/0: expected an array of 3 numbers");
  EXPECT_EQ(ErrorOf(head + R"("tools":{"assemblies":[{"id":1,"profile":[{"kind":"LL","end":[0,0]}]}]}})"),
            "j.json: /tools/assemblies/0/profile/0/kind: expected one letter");
  EXPECT_EQ(ErrorOf(head + R"("machine_group":{"operations":[{"type":99999,"tool":{"number":1,"id":1}}]}})"),
            "j.json: /machine_group/operations/0/type: expected an integer from -32768 to 32767");
}

// A code page the platform cannot convert would turn every text into nothing.
TEST(JobFile, ACodePageThePlatformCannotConvertIsRefused) {
  for (int code_page : {1, 1200, 50220}) {
    EXPECT_EQ(ErrorOf(R"({"format":"quenlo-job/1","host":{"code_page":)" + std::to_string(code_page) + "}}"),
              "j.json: /host/code_page: expected a code page that this platform converts (" +
                  std::to_string(code_page) + " is not one)");
  }
}

TEST(JobFile, AGoodJobKeepsEveryField) {
  Job job;
  JobError error;
  ASSERT_TRUE(ParseJob(R"({"format":"quenlo-job/1",
    "host":{"user_folder":"user/","addin_folder":"C:\\addins","metric":false,"code_page":1252},
    "machine_group":{"nc":{"file":"D:\\a.NC","prefix":"D:\\","suffix":".NC"},
      "stock":{"shape":7,"size":[1,2,3],"origin":[4,5,6],"origin_code":12,"solid":{"box":{"min":[0,0,0],"max":[1,1,1]}}},
      "operations":[{"type":201,"tool":{"number":-4,"id":9,"comment":"ＡＢＣ"},"names_nc":255}]},
    "tools":{"lathe_tools":[{"id":9,"known":false}],"assemblies":[{"id":1,"profile":null}]}})",
                       L"/jobs/j.json", job, error))
      << error.message;
  EXPECT_EQ(job.user_folder, L"/jobs/user/");
  EXPECT_EQ(job.addin_folder, L"C:\\addins");
  EXPECT_FALSE(job.metric);
  EXPECT_EQ(job.code_page, 1252);
  ASSERT_TRUE(job.machine_group.has_value());
  EXPECT_EQ(job.machine_group->stock.shape, 7);
  EXPECT_EQ(job.machine_group->stock.origin_code, 12);
  EXPECT_EQ(job.machine_group->stock.solid.kind, Solid::Kind::kBox);
  EXPECT_EQ(job.machine_group->operations[0].tool.tool_number, -4);
  EXPECT_EQ(job.machine_group->operations[0].tool.comment, L"ＡＢＣ");
  EXPECT_EQ(job.machine_group->operations[0].names_nc, 255);
  EXPECT_FALSE(job.lathe_tools[0].known);
  EXPECT_FALSE(job.assemblies[0].profile.present);
}

}  // namespace
}  // namespace standin
