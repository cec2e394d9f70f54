<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>demo::CDemoLoadProgress</name>
    <message>
        <source>正在加载数据集 %1</source>
        <translation>Loading the data set %1</translation>
    </message>
    <message>
        <source>文件 %1/%2，记录 %3，错误 %4</source>
        <translation>files %1/%2, records %3, errors %4</translation>
    </message>
</context>
<context>
    <name>demo::CDemoSimulator</name>
    <message>
        <source>招标明细更新 %1</source>
        <translation>tender detail update %1</translation>
    </message>
    <message>
        <source>指令 %1 状态 %2</source>
        <translation>command %1 status %2</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>succeeded</translation>
    </message>
    <message>
        <source>失败 (%1)</source>
        <translation>failed (%1)</translation>
    </message>
    <message>
        <source>交易服务器: %1 %2</source>
        <translation>Trade server: %1 %2</translation>
    </message>
    <message>
        <source>新交易日</source>
        <translation>New trading day</translation>
    </message>
    <message>
        <source>股票列表到达</source>
        <translation>Stock list arrives</translation>
    </message>
    <message>
        <source>股票列表变化</source>
        <translation>Stock list changes</translation>
    </message>
    <message>
        <source>债券信息就绪</source>
        <translation>Bond info ready</translation>
    </message>
    <message>
        <source>银行间数据加载完成</source>
        <translation>Interbank data loaded</translation>
    </message>
    <message>
        <source>招标数据加载完成</source>
        <translation>Tender data loaded</translation>
    </message>
    <message>
        <source>下一个交易请求失败</source>
        <translation>Fail the next trade request</translation>
    </message>
    <message>
        <source>模拟: 新交易日 %1</source>
        <translation>Simulated: new trading day %1</translation>
    </message>
    <message>
        <source>模拟: 股票列表到达 (%1 个合约)</source>
        <translation>Simulated: stock list arrives (%1 instruments)</translation>
    </message>
    <message>
        <source>模拟: 股票列表变化 %1</source>
        <translation>Simulated: stock list changes %1</translation>
    </message>
    <message>
        <source>模拟: 债券信息就绪</source>
        <translation>Simulated: bond info ready</translation>
    </message>
    <message>
        <source>模拟: 银行间数据加载完成</source>
        <translation>Simulated: interbank data loaded</translation>
    </message>
    <message>
        <source>模拟: 招标数据加载完成</source>
        <translation>Simulated: tender data loaded</translation>
    </message>
    <message>
        <source>模拟: 下一个交易请求将失败 (错误 %1)</source>
        <translation>Simulated: the next trade request will fail (error %1)</translation>
    </message>
</context>
<context>
    <name>demo::CDemoThemeMenu</name>
    <message>
        <source>浅色</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>深色</source>
        <translation>Dark</translation>
    </message>
</context>
<context>
    <name>demo::CDemoWindow</name>
    <message>
        <source>股票</source>
        <translation>Stocks</translation>
    </message>
    <message>
        <source>期货</source>
        <translation>Futures</translation>
    </message>
    <message>
        <source>黄金现货</source>
        <translation>Spot gold</translation>
    </message>
    <message>
        <source>融资融券</source>
        <translation>Margin trading</translation>
    </message>
    <message>
        <source>期货期权</source>
        <translation>Futures options</translation>
    </message>
    <message>
        <source>股票期权</source>
        <translation>Stock options</translation>
    </message>
    <message>
        <source>外盘期货</source>
        <translation>Foreign futures</translation>
    </message>
    <message>
        <source>港股通</source>
        <translation>Southbound Connect</translation>
    </message>
    <message>
        <source>股转</source>
        <translation>NEEQ</translation>
    </message>
    <message>
        <source>场外基金</source>
        <translation>OTC funds</translation>
    </message>
    <message>
        <source>期货 (二)</source>
        <translation>Futures (2)</translation>
    </message>
    <message>
        <source>外盘股票</source>
        <translation>Foreign stocks</translation>
    </message>
    <message>
        <source>港股</source>
        <translation>Hong Kong stocks</translation>
    </message>
    <message>
        <source>银行间</source>
        <translation>Interbank</translation>
    </message>
    <message>
        <source>固收平台</source>
        <translation>Fixed income platform</translation>
    </message>
    <message>
        <source>银行间外币</source>
        <translation>Interbank foreign currency</translation>
    </message>
    <message>
        <source>债券招标</source>
        <translation>Bond tenders</translation>
    </message>
    <message>
        <source>全市场</source>
        <translation>All markets</translation>
    </message>
    <message>
        <source>信号日志</source>
        <translation>Signal log</translation>
    </message>
    <message>
        <source>选中: -</source>
        <translation>Selected: -</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>保存布局</source>
        <translation>Save layout</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>面板</source>
        <translation>Panels</translation>
    </message>
    <message>
        <source>债券信息</source>
        <translation>Bond info</translation>
    </message>
    <message>
        <source>模拟</source>
        <translation>Simulate</translation>
    </message>
    <message>
        <source>清空自选</source>
        <translation>Clear watchlist</translation>
    </message>
    <message>
        <source>主题</source>
        <translation>Theme</translation>
    </message>
    <message>
        <source>布局: 默认</source>
        <translation>Layout: default</translation>
    </message>
    <message>
        <source>布局: 恢复自 %1</source>
        <translation>Layout: restored from %1</translation>
    </message>
    <message>
        <source>布局: 默认 (无可用的已保存布局)</source>
        <translation>Layout: default (no usable saved layout)</translation>
    </message>
    <message>
        <source>跳过面板: 未知的交易类型 %1</source>
        <translation>Panel skipped: unknown trading type %1</translation>
    </message>
    <message>
        <source>数据集: %1, %2 个问题</source>
        <translation>Data set: %1, %2 problems</translation>
    </message>
    <message>
        <source>选中: %1</source>
        <translation>Selected: %1</translation>
    </message>
    <message>
        <source>自选未变: %1</source>
        <translation>Watchlist unchanged: %1</translation>
    </message>
    <message>
        <source>自选%1 (类型 %2): %3</source>
        <translation>Watchlist %1 (type %2): %3</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>added</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>removed</translation>
    </message>
    <message>
        <source>无法打开面板 %1</source>
        <translation>Cannot open panel %1</translation>
    </message>
    <message>
        <source>打开面板 %1</source>
        <translation>Opened panel %1</translation>
    </message>
    <message>
        <source>布局保存失败: %1</source>
        <translation>Saving the layout failed: %1</translation>
    </message>
    <message>
        <source>布局已保存: %1</source>
        <translation>Layout saved: %1</translation>
    </message>
    <message>
        <source>快速搜索: 忽略 %1 个无法读取的最近选择</source>
        <translation>Quick search: %1 unreadable recent picks ignored</translation>
    </message>
    <message>
        <source>快速搜索</source>
        <translation>Quick search</translation>
    </message>
</context>
</TS>
