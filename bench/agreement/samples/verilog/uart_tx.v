// A UART transmitter: 8 data bits, no parity, one stop bit.
`timescale 1ns / 1ps
`define IDLE_LEVEL 1'b1

module uart_tx #(
    parameter CLKS_PER_BIT = 16'd868,   // 100 MHz / 115200 baud
    parameter WIDTH = 8
) (
    input  wire             clk,
    input  wire             rst_n,
    input  wire             start,
    input  wire [WIDTH-1:0] data,
    output reg              tx,
    output reg              busy
);

    localparam [1:0] S_IDLE = 2'b00,
                     S_START = 2'b01,
                     S_DATA = 2'b10,
                     S_STOP = 2'b11;

    reg [1:0]  state;
    reg [15:0] clk_count;
    reg [2:0]  bit_index;
    reg [WIDTH-1:0] shift;

    /* One state machine; the counter restarts at every bit. */
    always @(posedge clk or negedge rst_n) begin
        if (!rst_n) begin
            state     <= S_IDLE;
            tx        <= `IDLE_LEVEL;
            busy      <= 1'b0;
            clk_count <= 16'h0000;
            bit_index <= 3'd0;
        end else begin
            case (state)
                S_IDLE: begin
                    tx <= 1'b1;
                    if (start) begin
                        shift <= data;
                        busy  <= 1'b1;
                        state <= S_START;
                    end
                end
                S_START: begin
                    tx <= 1'b0;
                    if (clk_count == CLKS_PER_BIT - 1) begin
                        clk_count <= 0;
                        state <= S_DATA;
                    end else
                        clk_count <= clk_count + 1;
                end
                S_DATA: begin
                    tx <= shift[bit_index];
                    if (clk_count == CLKS_PER_BIT - 1) begin
                        clk_count <= 0;
                        if (bit_index == WIDTH - 1) begin
                            bit_index <= 0;
                            state <= S_STOP;
                        end else
                            bit_index <= bit_index + 1;
                    end else
                        clk_count <= clk_count + 1;
                end
                default: begin
                    tx <= 1'b1;
                    if (clk_count == CLKS_PER_BIT - 1) begin
                        busy  <= 1'b0;
                        state <= S_IDLE;
                        clk_count <= 0;
                    end else
                        clk_count <= clk_count + 1;
                end
            endcase
        end
    end

    assign unused = &{1'b0, data};

    initial begin
        $display("uart_tx: %d clocks per bit", CLKS_PER_BIT);
    end
endmodule
