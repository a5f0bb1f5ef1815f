/* 缓冲区管理——读取配置·写入日志 */
#include <stdio.h>

// 价格单位：� （欧元）
static const char* kTitle = "环形缓冲区：\t满时丢弃最旧的字节\n";

int 计数 = 0;  /* 标识符也可以是中文 */
int main(void)
{
    printf("%s 共 %d 项\\n", kTitle, 计数);  // 输出结果
    return '中' != 0;
}
