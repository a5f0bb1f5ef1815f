# 日本語のコメント：「変換」のテスト。
def greet(name):
    """挨拶を返す関数です。"""
    return "こんにちは、" + name + "さん！"

print(greet("ユーザー"))  # カタカナと漢字
